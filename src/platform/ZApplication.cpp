#include "ZApplication.h"

#include "EmulatorOptions.h"
#include "SessionBus.h"
#include "TerminationSignals.h"

#include <QAccessible>
#include <QWidget>

// Before QApplication starts its threads, which may read the environment.
int& ZApplication::beforeQtStarts(int& argc, char** argv) {
    refuseUnannouncedSessionBus();
    EmulatorOptions::take(argc, argv);
    return argc;
}

// Every application is a GUI client on the emulator.
ZApplication::ZApplication(int& argc, char** argv, int)
    : QApplication(beforeQtStarts(argc, argv), argv) {
    // The accessibility bridge asks the session bus whether anyone listens the first time a
    // widget changes. Woken here, it does so during start-up, while the clip is being probed,
    // rather than while the window is built on the probe's result.
    QAccessible::isActive();
    auto* termination = new TerminationSignals(this);
    connect(termination, &TerminationSignals::arrived, this, &ZApplication::endInOrder);
}

ZApplication::~ZApplication() = default;

void ZApplication::setMainWidget(QWidget* widget) {
    mainWidget_ = widget;
    mainWidgetClosed_ = false;
}

QWidget* ZApplication::mainWidget() const {
    return mainWidget_;
}

bool ZApplication::notify(QObject* receiver, QEvent* event) {
    const bool handled = QApplication::notify(receiver, event);
    if (event->type() == QEvent::Close && receiver == mainWidget_ && event->isAccepted())
        mainWidgetClosed();
    return handled;
}

int ZApplication::terminationNotice() {
    return TerminationSignals::pendingNotice();
}

// The main widget may close inside a modal loop run before the application's own loop (the
// picker does that); a quit then would be lost. Left queued, it ends the application's loop
// whenever that runs, unless a new main widget has been set meanwhile.
void ZApplication::mainWidgetClosed() {
    mainWidgetClosed_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (mainWidgetClosed_)
                QCoreApplication::exit(0);
        },
        Qt::QueuedConnection);
}

// Windows are closed, not destroyed: their owners destroy them once the loops have returned,
// as on every other way out.
void ZApplication::endInOrder() {
    for (QWidget* window : topLevelWidgets()) {
        if (window->isVisible())
            window->close();
    }
    QCoreApplication::exit(0);
}
