#pragma once

#include "CommandWords.h"

#include <QByteArray>

class MediaInfo;

// The player executable for a clip: "mplayerrm" for RealMedia containers, else "mplayer".
QByteArray playerNameFor(const MediaInfo& info);

// The video filter chain that fits a w x h picture to the 240x320 portrait screen, including
// " -subrotate 2" after a rotated chain. A stored rotation (degrees clockwise, see
// VideoRotation.h) is undone first, and the rest is chosen from the size the picture then has.
QByteArray filterChainFor(int width, int height, int rotation);

// The full slave-mode command that starts the player on the clip, whose video has the stored
// rotation.
CommandWords commandLineFor(const QByteArray& appDir, const QByteArray& mediaPath,
                            const MediaInfo& info, int rotation);

// The identify run of probeProgram on the clip.
CommandWords probeCommandFor(const QByteArray& mediaPath, const QByteArray& probeProgram);
