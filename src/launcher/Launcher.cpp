#include "Launcher.h"

#include "HandsetSkin.h"
#include "MainWidget.h"
#include "MediaPathArgument.h"
#include "Picker.h"
#include "PlayerWindow.h"
#include "Playlist.h"
#include "ProbeAhead.h"
#include "Trace.h"
#include "Usage.h"
#include "ZApplication.h"

namespace {

// Builds the window on the probe of the path's first clip and plays it: no window when the
// program was told to end while the clip was probed. A list's window plays its clips in turn.
void play(ZApplication& app, ProbeAhead& ahead, const QByteArray& path, const QByteArray& appDir,
          bool traced) {
    const QByteArrayList clips = Playlist::clipsOf(path);
    std::unique_ptr<MediaProbe> probe = ahead.take(clips.first());
    MainWidget* window = buildPlayerWindow(*probe, appDir);
    if (!window)
        return;
    window->setPlaylist(clips);
    if (traced)
        Trace::line("MainWidget new ok");
    app.setMainWidget(window);
    if (traced)
        Trace::line("MainWidget setMainWidget ok");
    playWindow(window, std::move(probe));
}

void directRoad(ZApplication& app, ProbeAhead& ahead, const QByteArray& path,
                const QByteArray& appDir) {
    play(app, ahead, path, appDir, true);
    Trace::line("\nexit3!");
}

// The file the selection rests on is probed while the user looks at it, so that choosing it
// starts the player at once.
void pickerRoad(ZApplication& app, ProbeAhead& ahead, const QByteArray& appDir) {
    QByteArray chosenPath;
    const QString choice = runPicker(
        chosenPath, [&](const QByteArray& path) { ahead.ask(Playlist::clipsOf(path).first()); });
    if (choice != QLatin1String("USER_CANCEL")) {
        Trace::bare("\nget name");
        play(app, ahead, chosenPath, appDir, false);
    }
    Trace::bare("\nunget name");
}

} // namespace

int runLauncher(int argc, char** argv, const QByteArray& appDir, ProbeAhead& ahead) {
    answerInformationOptions(argc, argv);
    Trace::line("begin");
    // Lives until the process ends, as the toolkit expects of its application object.
    auto* app = new ZApplication(argc, argv, ZApplication::GuiClient);
    HandsetSkin::install();
    Trace::line("Application new ok");
    takeEndOfOptions(argc, argv);
    if (argc >= 2)
        directRoad(*app, ahead, QByteArray(mediaPathArgument(argc, argv)), appDir);
    else
        pickerRoad(*app, ahead, appDir);
    return 0;
}
