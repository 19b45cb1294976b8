#pragma once

#include "ScreenCover.h"

// The native window a player draws into (MPlayer's -wid); black until the player paints.
class VideoSurface : public ScreenCover {
    Q_OBJECT
public:
    explicit VideoSurface(QWidget* screen);
    ~VideoSurface() override;

    // Hands the window id to the child processes started from now on (X11 only: elsewhere the
    // id means nothing to a player), or takes it back.
    void setAnnounced(bool announced);
};
