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

void discardAvailable(QSocketNotifier* notifier) {
    const int fd = int(notifier->socket());
    char buffer[kChunkBytes];
    for (int chunk = 0; chunk < kChunksPerWakeup; ++chunk) {
        const ssize_t got = recv(fd, buffer, sizeof buffer, MSG_DONTWAIT);
        if (got > 0 || (got < 0 && errno == EINTR))
            continue;
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return;
        // End of output, or a broken socket, reads as ready for ever; watching on would spin.
        notifier->setEnabled(false);
        return;
    }
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
