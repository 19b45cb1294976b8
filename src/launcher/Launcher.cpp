#include "Launcher.h"

#include "AppDirectory.h"
#include "MainWidget.h"
#include "MediaPathArgument.h"
#include "Picker.h"
#include "PlayerWindow.h"
#include "ZApplication.h"

#include <cstdio>

namespace {

void traceLine(const char* text) {
    std::fputs(text, stdout);
    std::fputc('\n', stdout);
}

void traceBare(const char* text) {
    std::fputs(text, stdout);
}

void directRoad(ZApplication& app, const QByteArray& path, const QByteArray& appDir) {
    MainWidget* window = buildPlayerWindow(path, appDir);
    traceLine("MainWidget new ok");
    app.setMainWidget(window);
    traceLine("MainWidget setMainWidget ok");
    playWindow(window);
    traceLine("\nexit3!");
}

void pickerRoad(ZApplication& app, const QByteArray& appDir) {
    QByteArray chosenPath;
    const QString choice = runPicker(chosenPath);
    if (choice != QLatin1String("USER_CANCEL")) {
        traceBare("\nget name");
        MainWidget* window = buildPlayerWindow(chosenPath, appDir);
        app.setMainWidget(window);
        playWindow(window);
    }
    traceBare("\nunget name");
}

} // namespace

int runLauncher(int argc, char** argv) {
    // Traces are few; unbuffered they are never lost and appear in order with the player's.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    traceLine("begin");
    // Lives until the process ends, as the toolkit expects of its application object.
    auto* app = new ZApplication(argc, argv, ZApplication::GuiClient);
    traceLine("Application new ok");
    const QByteArray appDir = appDirectory().value_or(QByteArray());
    if (argc >= 2)
        directRoad(*app, mediaPathArgument(argc, argv), appDir);
    else
        pickerRoad(*app, appDir);
    return 0;
}
