#include "FrontWindow.h"

#include "WindowFrame.h"
#include "ZMainWidget.h"

#include <QApplication>
#include <QPointer>

namespace {

QPointer<FrontWindow> theFrontWindow;

// The window the one that went belonged to, else any shown handset window.
QWidget* windowBeneath(QWidget* gone) {
    if (QWidget* owner = gone->parentWidget(); owner && owner->window()->isVisible())
        return owner->window();
    for (QWidget* topLevel : QApplication::topLevelWidgets()) {
        if (topLevel != gone && topLevel->isVisible() && WindowFrame::screenIn(topLevel))
            return topLevel;
    }
    return nullptr;
}

} // namespace

void FrontWindow::watch() {
    auto* application = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!theFrontWindow && application)
        theFrontWindow = new FrontWindow(application);
}

FrontWindow::FrontWindow(QObject* application) : QObject(application) {
    application->installEventFilter(this);
}

// Only a window that held the focus leaves it behind: popups never take it, and a window the
// desktop hides (a window manager minimising it) is none of ours to answer. Qt forgets its active
// window before the hide event, but the focus window goes only when the window system says so.
// The window beneath is activated once the hiding is done, and only if it is still shown then.
bool FrontWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Hide || event->spontaneous() || !watched->isWidgetType())
        return false;
    auto* gone = static_cast<QWidget*>(watched);
    if (!gone->isWindow() || !gone->windowHandle() ||
        gone->windowHandle() != QGuiApplication::focusWindow())
        return false;
    if (QPointer<QWidget> beneath = windowBeneath(gone))
        QMetaObject::invokeMethod(
            this,
            [beneath] {
                if (beneath && beneath->isVisible())
                    beneath->activateWindow();
            },
            Qt::QueuedConnection);
    return false;
}
