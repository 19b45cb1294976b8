#pragma once

#include <QByteArray>

class QSocketNotifier;

// Writes slave commands to the player's socket without ever blocking the program. What the socket
// cannot take at once waits in a small queue and goes out, from the event loop, as soon as the
// socket is writable again. A command that does not fit in the queue whole is dropped whole, so
// the player never sees half a line; so is every command once the player has gone.
class CommandQueue {
public:
    // Bytes waiting at most: a few hundred commands, far more than a keypad can type while a
    // healthy player reads.
    static constexpr qsizetype kCapacity = 4096;

    explicit CommandQueue(int socketFd);
    ~CommandQueue();
    CommandQueue(const CommandQueue&) = delete;
    CommandQueue& operator=(const CommandQueue&) = delete;

    void send(const QByteArray& command);

private:
    void writeWaiting();

    int fd_;
    QByteArray waiting_;
    bool broken_ = false;
    QSocketNotifier* writable_ = nullptr;
};
