#include "VideoSurface.h"

#include <QGuiApplication>

namespace {

constexpr char kWindowIdVariable[] = "VIDLARK_WID";

} // namespace

// One native window for the surface's whole life keeps one id, so a paused player goes on
// drawing into the same window when playback resumes. Qt neither clears it nor paints over it
// once the player draws; WA_PaintOnScreen is left off, as on X11 it would make Qt skip the
// backing store for the whole window and break the siblings' drawing.
VideoSurface::VideoSurface(QWidget* screen) : ScreenCover(screen, QStringLiteral("videoSurface")) {}

VideoSurface::~VideoSurface() {
    setAnnounced(false);
}

void VideoSurface::setAnnounced(bool announced) {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    const QByteArray id = QByteArray::number(quint64(winId()));
    if (announced)
        qputenv(kWindowIdVariable, id);
    else if (qgetenv(kWindowIdVariable) == id)
        qunsetenv(kWindowIdVariable);
}
