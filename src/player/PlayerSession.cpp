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
    pipe_ = openDuplexPipe(commandLine);
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
