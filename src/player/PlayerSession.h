#pragma once

#include <QByteArray>
#include <cstdio>
#include <memory>

class CommandQueue;

// One running player: starts it, sends it slave commands without ever blocking, keeps it paused
// while it should be, and ends it. The player cannot outlive the session nor the program.
class PlayerSession {
public:
    PlayerSession();
    ~PlayerSession();
    PlayerSession(const PlayerSession&) = delete;
    PlayerSession& operator=(const PlayerSession&) = delete;

    // Starts the player on its command line, run as the shell would run it but with no shell.
    // False when it could not be started; every command is then dropped.
    bool start(const QByteArray& commandLine);

    // Sends one command line, "\n" included. While the player is paused it carries the prefix
    // that leaves the player paused: any plain command would resume it.
    void send(const QByteArray& command);
    // Sends "pause\n", which pauses a playing player and resumes a paused one.
    void togglePause();

    // Kills the player, with everything it started, at once, and reaps it. Nothing is sent to it
    // first: a player that no longer reads could not be told anything.
    void end();

private:
    FILE* pipe_ = nullptr;
    std::unique_ptr<CommandQueue> commands_;
    bool paused_ = false;
};
