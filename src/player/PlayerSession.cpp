#include "PlayerSession.h"

#include "CommandQueue.h"

#include <QSocketNotifier>
#include <cerrno>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int kChunkBytes = 16384;
// A player that prints without end must not keep the loop to itself: each wake-up reads a
// bounded amount and the notifier fires again while more is waiting.
constexpr int kChunksPerWakeup = 8;

} // namespace

PlayerSession::PlayerSession() = default;

PlayerSession::~PlayerSession() {
    end();
}

bool PlayerSession::start(const CommandWords& command) {
    end();
    int ends[2];
    // Close-on-exec, so that no other child of the program inherits either end.
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
        startError_ = errno;
        return false;
    }
    const bool started = child_.start(argumentsOf(command), ends[1], ends[1]);
    close(ends[1]);
    if (!started) {
        startError_ = child_.error();
        close(ends[0]);
        return false;
    }
    startError_ = 0;
    socket_ = ends[0];
    commands_ = std::make_unique<CommandQueue>(socket_);
    output_ = std::make_unique<QSocketNotifier>(socket_, QSocketNotifier::Read);
    QObject::connect(output_.get(), &QSocketNotifier::activated, output_.get(),
                     [this] { readOutput(); });
    return true;
}

void PlayerSession::send(const QByteArray& command) {
    if (commands_)
        commands_->send(command);
}

void PlayerSession::readOutput() {
    char buffer[kChunkBytes];
    for (int chunk = 0; chunk < kChunksPerWakeup; ++chunk) {
        const ssize_t got = recv(socket_, buffer, sizeof buffer, MSG_DONTWAIT);
        if (got > 0 || (got < 0 && errno == EINTR))
            continue;
        // End of output, or a broken socket, reads as ready for ever; watching on would spin.
        if (got == 0 || (errno != EAGAIN && errno != EWOULDBLOCK))
            output_->setEnabled(false);
        return;
    }
}

// The group dies first, so nothing is left to read or write when the socket closes.
void PlayerSession::end() {
    child_.kill();
    output_.reset();
    commands_.reset();
    if (socket_ >= 0)
        close(socket_);
    socket_ = -1;
    child_.end();
}
