#include "VideoSurface.h"

#include <QGuiApplication>
#include <QPainter>

namespace {

constexpr char kWindowIdVariable[] = "VIDLARK_WID";

} // namespace

VideoSurface::VideoSurface(QWidget* screen) : QWidget(screen) {
    setObjectName(QStringLiteral("videoSurface"));
    // A native window keeps one id for its whole life; the player paints into it directly, so
    // Qt must neither clear it nor paint over it. WA_PaintOnScreen would make Qt skip the
    // backing store for the whole window on X11, which breaks the siblings' drawing.
    setAttribute(Qt::WA_NativeWindow);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(screen->rect());
    hide();
}

VideoSurface::~VideoSurface() {
    setAnnounced(false);
}

void VideoSurface::setShown(bool shown) {
    setVisible(shown);
    if (shown)
        raise();
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

// Black until the player's first frame, and again whenever the window system asks for the
// picture back before the player repaints it.
void VideoSurface::paintEvent(QPaintEvent*) {
    QPainter(this).fillRect(rect(), Qt::black);
}
