#include "PipeDrain.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <cerrno>
#include <sys/socket.h>

namespace {

constexpr int kChunkBytes = 16384;
// A child that prints without end must not keep the loop to itself: each wake-up reads a
// bounded amount and the notifier fires again while more is waiting.
constexpr int kChunksPerWakeup = 8;

enum class Waiting { Empty, MoreMaybe, Ended };

// Reads and discards up to maxChunks chunks of what is already there.
Waiting discardWaiting(int fd, int maxChunks) {
    char buffer[kChunkBytes];
    for (int chunk = 0; chunk < maxChunks; ++chunk) {
        const ssize_t got = recv(fd, buffer, sizeof buffer, MSG_DONTWAIT);
        if (got > 0 || (got < 0 && errno == EINTR))
            continue;
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return Waiting::Empty;
        return Waiting::Ended;
    }
    return Waiting::MoreMaybe;
}

void discardAvailable(QSocketNotifier* notifier) {
    // End of output, or a broken socket, reads as ready for ever; watching on would spin.
    if (discardWaiting(int(notifier->socket()), kChunksPerWakeup) == Waiting::Ended)
        notifier->setEnabled(false);
}

} // namespace

QSocketNotifier* startDraining(int fd) {
    if (!QCoreApplication::instance())
        return nullptr;
    auto* notifier = new QSocketNotifier(fd, QSocketNotifier::Read);
    QObject::connect(notifier, &QSocketNotifier::activated, notifier,
                     [notifier] { discardAvailable(notifier); });
    return notifier;
}

void shutDownQuietly(int fd) {
    // Once shut down for reading, the child can add nothing more, so this ends.
    if (shutdown(fd, SHUT_RDWR) == 0) {
        while (discardWaiting(fd, kChunksPerWakeup) == Waiting::MoreMaybe) {
        }
    }
}
