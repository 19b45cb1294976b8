#pragma once

#include <QWidget>

// The native child window a player draws into (MPlayer's -wid). It covers the whole handset
// screen and is black until the player paints.
class VideoSurface : public QWidget {
    Q_OBJECT
public:
    explicit VideoSurface(QWidget* screen);
    ~VideoSurface() override;

    void setShown(bool shown);
    // Hands the window id to the child processes started from now on (X11 only: elsewhere the
    // id means nothing to a player), or takes it back.
    void setAnnounced(bool announced);

protected:
    void paintEvent(QPaintEvent* event) override;
};
