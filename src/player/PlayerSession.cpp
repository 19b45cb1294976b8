#include "PlayerSession.h"

#include "CommandQueue.h"
#include "PlayerInterface.h"

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

PlayerSession::PlayerSession() {
    questions_.setInterval(kQueryIntervalMs);
    connect(&questions_, &QTimer::timeout, this, &PlayerSession::ask);
}

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
    connect(output_.get(), &QSocketNotifier::activated, this, &PlayerSession::readOutput);
    current_ = true;
    // Asked at once, the player answers as soon as it has opened the clip, or failed to.
    ask();
    questions_.start();
    return true;
}

void PlayerSession::send(const QByteArray& command) {
    if (commands_)
        commands_->send(command);
}

void PlayerSession::ask() {
    send(Player::kAskPath);
    send(Player::kAskPosition);
    if (!lengthKnown_)
        send(Player::kAskLength);
}

void PlayerSession::readOutput() {
    char buffer[kChunkBytes];
    for (int chunk = 0; chunk < kChunksPerWakeup && output_; ++chunk) {
        const ssize_t got = recv(socket_, buffer, sizeof buffer, MSG_DONTWAIT);
        if (got > 0) {
            for (const PlayerReport& report : reports_.feed(QByteArray(buffer, got)))
                act(report);
        } else if (got == 0 || (errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK)) {
            // The player has gone; end of output reads as ready for ever, so watching ends.
            output_->setEnabled(false);
            clipOver(Failure::PlayerQuit);
            return;
        } else if (errno != EINTR) {
            return;
        }
    }
}

void PlayerSession::act(const PlayerReport& report) {
    switch (report.kind) {
    case PlayerReport::Position:
        played_ = true;
        emit positionChanged(report.seconds);
        break;
    case PlayerReport::Length:
        lengthKnown_ = true;
        emit lengthKnown(report.seconds);
        break;
    case PlayerReport::Current:
        played_ = true;
        break;
    case PlayerReport::NotFound:
        notFound_ = true;
        break;
    case PlayerReport::Idle:
        clipOver(notFound_ ? Failure::NotFound : Failure::NotPlayable);
        break;
    }
}

void PlayerSession::clipOver(Failure ifNeverPlayed) {
    if (!current_)
        return;
    current_ = false;
    questions_.stop();
    if (played_)
        emit ended();
    else
        emit failed(ifNeverPlayed);
}

// The group dies first, so nothing is left to read or write when the socket closes.
void PlayerSession::end() {
    questions_.stop();
    child_.kill();
    output_.reset();
    commands_.reset();
    if (socket_ >= 0)
        close(socket_);
    socket_ = -1;
    child_.end();
    current_ = played_ = lengthKnown_ = notFound_ = false;
}
