#include "FixedSize.h"

#include <QEvent>
#include <QWidget>

FixedSize::FixedSize(QWidget* window) : QObject(window) {
    window->installEventFilter(this);
}

// The size is taken back once the window system's resize has been dealt with, not from inside
// it.
bool FixedSize::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Resize)
        return false;
    auto* window = static_cast<QWidget*>(watched);
    const QSize fixed = window->minimumSize();
    if (fixed == window->maximumSize() && window->size() != fixed)
        QMetaObject::invokeMethod(
            window, [window, fixed] { window->resize(fixed); }, Qt::QueuedConnection);
    return false;
}
