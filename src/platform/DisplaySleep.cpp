#include "DisplaySleep.h"

#include "WindowFrame.h"
#include "ZMainWidget.h"

#include <QApplication>
#include <QPointer>
#include <climits>

namespace {

QPointer<DisplaySleep> theDisplaySleep;

} // namespace

DisplaySleep* DisplaySleep::obtain() {
    auto* application = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!theDisplaySleep && application)
        theDisplaySleep = new DisplaySleep(application);
    return theDisplaySleep;
}

DisplaySleep* DisplaySleep::existing() {
    return theDisplaySleep;
}

DisplaySleep::DisplaySleep(QObject* application) : QObject(application) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this] { setDark(true); });
    application->installEventFilter(this);
}

void DisplaySleep::setSleepTime(int seconds) {
    seconds_ = seconds;
    if (seconds_ > 0) {
        inhibitor_.release();
        restartTimer();
        return;
    }
    timer_.stop();
    setDark(false);
    inhibitor_.hold();
}

// Every key press counts, whichever widget it goes to; it is not taken away from it.
bool DisplaySleep::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        setDark(false);
        restartTimer();
    }
    return false;
}

void DisplaySleep::restartTimer() {
    if (seconds_ > 0)
        timer_.start(qMin(seconds_, INT_MAX / 1000) * 1000);
}

void DisplaySleep::setDark(bool dark) {
    if (dark == dark_)
        return;
    dark_ = dark;
    for (QWidget* topLevel : QApplication::topLevelWidgets()) {
        auto* window = WindowFrame::screenIn(topLevel);
        if (window && (window->isVisible() || !dark))
            window->setScreenDark(dark);
    }
}
