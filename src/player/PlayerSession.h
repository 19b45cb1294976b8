#pragma once

#include "ChildProcess.h"
#include "CommandWords.h"
#include "PlayerOutput.h"

#include <QByteArray>
#include <QObject>
#include <QTimer>
#include <memory>

class CommandQueue;
class QSocketNotifier;

// One running player. Its standard input and output are one end of a Unix socket pair; the
// program holds the other. Commands go to it without ever blocking the program. While a clip is
// current the session asks the player about it, at most once a kQueryIntervalMs, and listens:
// only an answer that says so, or the player's exit, ends a clip; a player that answers nothing
// is taken to play on. The player cannot outlive the session nor the program.
class PlayerSession : public QObject {
    Q_OBJECT
public:
    static constexpr int kQueryIntervalMs = 1000;

    enum class Failure {
        NotFound,    // the player found no file by that name
        NotPlayable, // the player opened nothing and went idle
        PlayerQuit,  // the player ended before it played anything
    };
    Q_ENUM(Failure)

    PlayerSession();
    ~PlayerSession() override;

    // Starts the player on its command. False when it could not be started or executed;
    // startError() then tells why, as an errno value, and every command is dropped.
    bool start(const CommandWords& command);
    int startError() const { return startError_; }

    // Sends one command line, "\n" included, exactly as given.
    void send(const QByteArray& command);

    // Kills the player, with everything it started, at once, and reaps it. Nothing is sent to it
    // first: a player that no longer reads could not be told anything.
    void end();

signals:
    void positionChanged(double seconds);
    void lengthKnown(double seconds);
    // The clip is over: played to its end, or the player stopped or died after playing it.
    void ended();
    // The clip could not be played.
    void failed(PlayerSession::Failure why);

private:
    void ask();
    void readOutput();
    void act(const PlayerReport& report);
    void clipOver(Failure ifNeverPlayed);

    ChildProcess child_;
    int socket_ = -1;
    int startError_ = 0;
    std::unique_ptr<CommandQueue> commands_;
    std::unique_ptr<QSocketNotifier> output_;
    PlayerOutput reports_;
    QTimer questions_;
    bool current_ = false;
    bool played_ = false;
    bool lengthKnown_ = false;
    bool notFound_ = false;
};
