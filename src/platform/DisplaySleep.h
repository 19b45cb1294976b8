#pragma once

#include "ScreenSaverInhibitor.h"

#include <QObject>
#include <QTimer>

// The emulated display's sleep: after the sleep time passes without a key press, every shown
// handset window goes dark until the next key. A sleep time of 0 (or less) keeps the display
// on and asks the desktop session to keep its own screen on as well.
//
// There is one per application, created on first use and gone with the application.
class DisplaySleep : public QObject {
    Q_OBJECT
public:
    // The application's display sleep; null when there is no widget application to darken.
    static DisplaySleep* obtain();
    static DisplaySleep* existing();

    void setSleepTime(int seconds);
    bool isDark() const { return dark_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit DisplaySleep(QObject* application);
    void setDark(bool dark);
    void restartTimer();

    QTimer timer_;
    int seconds_ = 0;
    bool dark_ = false;
    ScreenSaverInhibitor inhibitor_;
};
