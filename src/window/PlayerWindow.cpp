#include "PlayerWindow.h"

#include "MainWidget.h"

#include <QCoreApplication>

MainWidget* buildPlayerWindow(const QByteArray& path, const QByteArray& appDir) {
    return new MainWidget(path, appDir);
}

void playWindow(MainWidget* window) {
    window->show();
    window->playorpause();
    QCoreApplication::exec();
    delete window;
}
