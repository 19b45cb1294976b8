#include "ProbeAhead.h"

#include "PlayerInterface.h"

#include <QCoreApplication>

ProbeAhead::ProbeAhead(const QByteArray& appDir)
    : probeProgram_(appDir + '/' + Player::kProbeExecutable) {
    limit_.setSingleShot(true);
    limit_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&limit_, &QTimer::timeout, [this] { keepWithinLimit(); });
}

void ProbeAhead::ask(const QByteArray& mediaPath) {
    if (probe_ && probe_->mediaPath() == mediaPath)
        return;
    probe_.reset();
    probe_ = std::make_unique<MediaProbe>(mediaPath, probeProgram_);
    // Before the application exists nothing runs the loop; the probe is then taken and waited
    // for at once, which keeps it within its limit.
    if (QCoreApplication::instance())
        keepWithinLimit();
}

std::unique_ptr<MediaProbe> ProbeAhead::take(const QByteArray& mediaPath) {
    ask(mediaPath);
    limit_.stop();
    return std::move(probe_);
}

void ProbeAhead::keepWithinLimit() {
    const int left = probe_ ? probe_->keepWithinLimit() : -1;
    if (left >= 0)
        limit_.start(left + 1);
}
