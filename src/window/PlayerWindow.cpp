#include "PlayerWindow.h"

#include "MainWidget.h"
#include "MediaProbe.h"
#include "ZApplication.h"

#include <QCoreApplication>

MainWidget* buildPlayerWindow(MediaProbe& probe, const QByteArray& appDir) {
    probe.traceCommand();
    if (!probe.wait(ZApplication::terminationNotice()))
        return nullptr;
    return new MainWidget(probe.mediaPath(), appDir, probe.info());
}

void playWindow(MainWidget* window) {
    window->show();
    window->playorpause();
    QCoreApplication::exec();
    delete window;
}
