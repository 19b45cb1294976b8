#pragma once

#include <QObject>

// The handset shows one window in front, and it takes every key. When the window that has the
// keys goes (a message or a number picker is dismissed), the handset window still shown takes
// them back, as a window manager gives the focus back to the window a dialog belonged to.
// Without a window manager nobody else does: X moves the focus to the root window, and every key
// is lost until a click.
//
// There is one per application, made by the first handset window and gone with the application.
class FrontWindow : public QObject {
public:
    static void watch();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit FrontWindow(QObject* application);
};
