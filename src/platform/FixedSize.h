#pragma once

#include <QObject>

class QWidget;

// Holds a top-level window at the size it was fixed to (its minimum and maximum size) whatever
// size the desktop gives it. Qt tells the window manager the fixed size, but with no window
// manager, or one that ignores the hint, a resize asked from outside (xdotool windowsize, say)
// is carried out on the native window and the widget follows it.
class FixedSize : public QObject {
public:
    // Watches `window` and lives as its child.
    explicit FixedSize(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
