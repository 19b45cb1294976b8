#include "PlayerWindow.h"

#include "MainWidget.h"
#include "MediaProbe.h"
#include "ZApplication.h"

#include <QCoreApplication>

// The window is built while the probe runs; only what depends on the probe waits for it.
MainWidget* buildPlayerWindow(MediaProbe& probe, const QByteArray& appDir) {
    auto* window = new MainWidget(probe.mediaPath(), appDir);
    probe.traceCommand();
    if (!probe.wait(ZApplication::terminationNotice())) {
        delete window;
        return nullptr;
    }
    window->setMediaInfo(probe.info());
    return window;
}

void playWindow(MainWidget* window) {
    window->show();
    window->playorpause();
    QCoreApplication::exec();
    delete window;
}
