#include "CommandQueue.h"

#include <QSocketNotifier>
#include <cerrno>
#include <sys/socket.h>

CommandQueue::CommandQueue(int socketFd) : fd_(socketFd) {
    writable_ = new QSocketNotifier(fd_, QSocketNotifier::Write);
    writable_->setEnabled(false);
    QObject::connect(writable_, &QSocketNotifier::activated, writable_, [this] { writeWaiting(); });
}

CommandQueue::~CommandQueue() {
    delete writable_;
}

void CommandQueue::send(const QByteArray& command) {
    if (broken_ || waiting_.size() + command.size() > kCapacity)
        return;
    waiting_ += command;
    writeWaiting();
}

// MSG_NOSIGNAL: a player that has gone must not take the program with it by SIGPIPE.
void CommandQueue::writeWaiting() {
    while (!waiting_.isEmpty()) {
        const ssize_t sent =
            ::send(fd_, waiting_.constData(), size_t(waiting_.size()), MSG_DONTWAIT | MSG_NOSIGNAL);
        if (sent > 0) {
            waiting_.remove(0, sent);
        } else if (sent < 0 && errno == EINTR) {
            continue;
        } else if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            break;
        } else {
            broken_ = true;
            waiting_.clear();
        }
    }
    writable_->setEnabled(!waiting_.isEmpty());
}
