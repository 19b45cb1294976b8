#include "ScreenPlacement.h"

#include "WindowFrame.h"
#include "ZMainWidget.h"

#include <QApplication>

namespace ScreenPlacement {

namespace {

const ZMainWidget* handsetWindowOf(const QWidget* widget) {
    if (widget)
        if (auto* own = WindowFrame::screenIn(widget->window()))
            return own;
    if (auto* active = WindowFrame::screenIn(QApplication::activeWindow()))
        return active;
    for (QWidget* topLevel : QApplication::topLevelWidgets()) {
        auto* window = WindowFrame::screenIn(topLevel);
        if (window && window->isVisible())
            return window;
    }
    return nullptr;
}

} // namespace

QRect rectFor(const QWidget* widget) {
    const ZMainWidget* screen = handsetWindowOf(widget);
    return screen ? QRect(screen->mapToGlobal(QPoint(0, 0)), screen->size()) : QRect();
}

void centerInside(QWidget* window, const QWidget* anchor) {
    const QRect screen = rectFor(anchor);
    if (screen.isNull())
        return;
    window->adjustSize();
    QRect placed(QPoint(), window->size().boundedTo(screen.size()));
    placed.moveCenter(screen.center());
    window->setGeometry(placed);
}

} // namespace ScreenPlacement
