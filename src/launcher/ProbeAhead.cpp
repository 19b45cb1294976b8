#include "ProbeAhead.h"

#include "PlayerInterface.h"

ProbeAhead::ProbeAhead(const QByteArray& appDir)
    : probeProgram_(appDir + '/' + Player::kProbeExecutable) {}

void ProbeAhead::adopt(const EarlyProbe& early) {
    if (early.mediaPath)
        probe_ = std::make_unique<MediaProbe>(early.mediaPath, early.command, early.run);
}

void ProbeAhead::ask(const QByteArray& mediaPath) {
    if (probe_ && probe_->mediaPath() == mediaPath)
        return;
    probe_.reset();
    probe_ = std::make_unique<MediaProbe>(mediaPath, probeProgram_);
}

std::unique_ptr<MediaProbe> ProbeAhead::take(const QByteArray& mediaPath) {
    ask(mediaPath);
    return std::move(probe_);
}
