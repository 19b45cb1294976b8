#include "Launcher.h"

#include "AppDirectory.h"
#include "MainWidget.h"
#include "MediaPathArgument.h"
#include "Picker.h"
#include "PlayerWindow.h"
#include "ProbeAhead.h"
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

// Qt takes its own options out of the words only while the application object is made, which
// takes about as long as the probe itself. Unless a word looks like an option, the words are
// already what Qt will leave, and the probe can run on the path meanwhile; the direct road
// checks the path again and probes anew should it differ.
void probeBeforeQtStarts(ProbeAhead& ahead, int argc, char** argv) {
    if (argc < 2)
        return;
    for (int i = 1; i < argc; ++i) {
        if (argv[i][0] == '-')
            return;
    }
    ahead.ask(mediaPathArgument(argc, argv));
}

// Builds the window on the probe and plays it: no window when the program was told to end
// while the clip was probed.
void play(ZApplication& app, std::unique_ptr<MediaProbe> probe, const QByteArray& appDir,
          bool traced) {
    MainWidget* window = buildPlayerWindow(*probe, appDir);
    if (!window)
        return;
    if (traced)
        traceLine("MainWidget new ok");
    app.setMainWidget(window);
    if (traced)
        traceLine("MainWidget setMainWidget ok");
    playWindow(window, std::move(probe));
}

void directRoad(ZApplication& app, ProbeAhead& ahead, const QByteArray& path,
                const QByteArray& appDir) {
    play(app, ahead.take(path), appDir, true);
    traceLine("\nexit3!");
}

// The file the selection rests on is probed while the user looks at it, so that choosing it
// starts the player at once.
void pickerRoad(ZApplication& app, ProbeAhead& ahead, const QByteArray& appDir) {
    QByteArray chosenPath;
    const QString choice = runPicker(chosenPath, [&](const QByteArray& path) { ahead.ask(path); });
    if (choice != QLatin1String("USER_CANCEL")) {
        traceBare("\nget name");
        play(app, ahead.take(chosenPath), appDir, false);
    }
    traceBare("\nunget name");
}

} // namespace

int runLauncher(int argc, char** argv) {
    // Traces are few; unbuffered they are never lost and appear in order with the player's.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    ZApplication::answerInformationOptions(argc, argv);
    traceLine("begin");
    const QByteArray appDir = appDirectory().value_or(QByteArray());
    ProbeAhead ahead(appDir);
    probeBeforeQtStarts(ahead, argc, argv);
    // Lives until the process ends, as the toolkit expects of its application object.
    auto* app = new ZApplication(argc, argv, ZApplication::GuiClient);
    traceLine("Application new ok");
    if (argc >= 2)
        directRoad(*app, ahead, mediaPathArgument(argc, argv), appDir);
    else
        pickerRoad(*app, ahead, appDir);
    return 0;
}
