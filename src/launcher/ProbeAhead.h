#pragma once

#include "MediaProbe.h"

#include <QByteArray>
#include <QTimer>
#include <memory>

// Probes a clip before it is asked for, so that its result is ready, or nearly, when the player
// window is built on it. Holds at most one probe: asking ahead for another clip ends the one
// before. A probe nobody waits for is still given up at its limit, from the event loop.
class ProbeAhead {
public:
    explicit ProbeAhead(const QByteArray& appDir);

    // Starts probing the clip, unless it is already being probed.
    void ask(const QByteArray& mediaPath);
    // The probe of this clip: the one asked ahead when it is for the same bytes, else one
    // started now.
    std::unique_ptr<MediaProbe> take(const QByteArray& mediaPath);

private:
    void keepWithinLimit();

    QByteArray probeProgram_;
    std::unique_ptr<MediaProbe> probe_;
    QTimer limit_;
};
