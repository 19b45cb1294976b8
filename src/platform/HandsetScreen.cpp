#include "HandsetScreen.h"

#include "HandsetSkin.h"
#include "ZMainWidget.h"

#include <QApplication>

namespace HandsetScreen {

namespace {

const ZMainWidget* handsetWindowOf(const QWidget* widget) {
    if (widget)
        if (auto* own = HandsetSkin::screenIn(widget->window()))
            return own;
    if (auto* active = HandsetSkin::screenIn(QApplication::activeWindow()))
        return active;
    for (QWidget* topLevel : QApplication::topLevelWidgets()) {
        auto* window = HandsetSkin::screenIn(topLevel);
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

} // namespace HandsetScreen
