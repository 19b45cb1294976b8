#include "PlayerSession.h"

#include "CommandQueue.h"
#include "DuplexPipe.h"
#include "PlayerInterface.h"

PlayerSession::PlayerSession() = default;

PlayerSession::~PlayerSession() {
    end();
}

bool PlayerSession::start(const QByteArray& commandLine) {
    end();
    // "exec ": the player itself, not a shell above it, is the child that dies with the program.
    pipe_ = openDuplexPipe("exec " + commandLine);
    if (pipe_)
        commands_ = std::make_unique<CommandQueue>(fileno(pipe_));
    return pipe_ != nullptr;
}

void PlayerSession::send(const QByteArray& command) {
    if (commands_)
        commands_->send(paused_ ? Player::kPausingKeepPrefix + command : command);
}

void PlayerSession::togglePause() {
    if (commands_)
        commands_->send(Player::kPause);
    paused_ = !paused_;
}

void PlayerSession::end() {
    commands_.reset();
    if (pipe_)
        closeDuplexPipe(pipe_);
    pipe_ = nullptr;
    paused_ = false;
}
