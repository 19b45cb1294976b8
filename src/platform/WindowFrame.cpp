#include "WindowFrame.h"

#include "ZMainWidget.h"

namespace WindowFrame {
namespace {

Framer theFramer = nullptr;

} // namespace

void setFramer(Framer framer) {
    theFramer = framer;
}

QWidget* frame(ZMainWidget* screen) {
    return theFramer ? theFramer(screen) : nullptr;
}

// A framed screen is the frame's child, and a plain widget, not a window of its own.
ZMainWidget* screenIn(QWidget* window) {
    if (!window)
        return nullptr;
    if (auto* own = qobject_cast<ZMainWidget*>(window))
        return own;
    for (auto* screen : window->findChildren<ZMainWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!screen->isWindow())
            return screen;
    }
    return nullptr;
}

} // namespace WindowFrame
