#include "ScreenCover.h"

#include <QPainter>
#include <QWindow>

ScreenCover::ScreenCover(QWidget* screen, const QString& name) : QWidget(screen) {
    setObjectName(name);
    setAttribute(Qt::WA_NativeWindow);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(screen->rect());
    hide();
}

// QWidget::raise() leaves the window system alone when the widget is already last among its
// siblings, yet native siblings created after it lie above it there; so the native window is
// raised as well.
void ScreenCover::setShown(bool shown) {
    setVisible(shown);
    if (!shown)
        return;
    raise();
    if (QWindow* window = windowHandle())
        window->raise();
}

void ScreenCover::paintEvent(QPaintEvent*) {
    QPainter(this).fillRect(rect(), Qt::black);
}
