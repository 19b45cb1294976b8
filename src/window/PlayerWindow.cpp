#include "PlayerWindow.h"

#include "MainWidget.h"
#include "MediaProbe.h"

#include <QCoreApplication>

// The window is built while the probe runs; only what depends on the probe waits for it.
MainWidget* buildPlayerWindow(MediaProbe& probe, const QByteArray& appDir) {
    auto* window = new MainWidget(probe.mediaPath(), appDir);
    if (!window->takeProbe(probe)) {
        delete window;
        return nullptr;
    }
    return window;
}

void playWindow(MainWidget* window, std::unique_ptr<MediaProbe> spentProbe) {
    // The player starts first: it needs only the video surface's window, which going full screen
    // makes; the screen is laid out and shown while the player loads, which takes far longer.
    window->playorpause();
    window->show();
    // Its run was killed as soon as it had answered; reaping it may wait for the kernel to tear
    // the run down, which must not delay the player's start.
    spentProbe.reset();
    QCoreApplication::exec();
    delete window;
}
