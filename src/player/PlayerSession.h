#pragma once

#include "ChildProcess.h"
#include "CommandWords.h"

#include <QByteArray>
#include <memory>

class CommandQueue;
class QSocketNotifier;

// One running player. Its standard input and output are one end of a Unix socket pair; the
// program holds the other. Commands go to it without ever blocking the program; whatever it
// prints is read from the event loop. The player cannot outlive the session nor the program.
class PlayerSession {
public:
    PlayerSession();
    ~PlayerSession();
    PlayerSession(const PlayerSession&) = delete;
    PlayerSession& operator=(const PlayerSession&) = delete;

    // Starts the player on its command. False when it could not be started or executed;
    // startError() then tells why, as an errno value, and every command is dropped.
    bool start(const CommandWords& command);
    int startError() const { return startError_; }

    // Sends one command line, "\n" included, exactly as given.
    void send(const QByteArray& command);

    // Kills the player, with everything it started, at once, and reaps it. Nothing is sent to it
    // first: a player that no longer reads could not be told anything.
    void end();

private:
    void readOutput();

    ChildProcess child_;
    int socket_ = -1;
    int startError_ = 0;
    std::unique_ptr<CommandQueue> commands_;
    std::unique_ptr<QSocketNotifier> output_;
};
