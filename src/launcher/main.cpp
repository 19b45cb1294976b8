// The program's start: the identify run is set going before Qt's start-up, so that the two run
// side by side. For a list it is the run of the list's first clip.
#include "AppDirectory.h"
#include "Launcher.h"
#include "MediaPathArgument.h"
#include "Playlist.h"
#include "ProbeAhead.h"
#include "StandardDescriptors.h"
#include "Trace.h"

#include <csignal>

namespace {

// Qt and the emulator take their options out of the words only once the application object
// exists. Unless a word looks like an option, the words are already what they will leave, and
// the path is known now; should it turn out otherwise, the clip is probed anew.
const char* pathKnownBeforeQt(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (argv[i][0] == '-')
            return nullptr;
    }
    return mediaPathArgument(argc, argv);
}

} // namespace

int main(int argc, char** argv) {
    openClosedStandardDescriptors();
    // A trace or a command to a reader that has gone fails, instead of ending the program.
    std::signal(SIGPIPE, SIG_IGN);
    const QByteArray appDir = QByteArray::fromStdString(appDirectory().value_or(std::string()));
    ProbeAhead ahead(appDir);
    if (const char* path = pathKnownBeforeQt(argc, argv))
        ahead.ask(Playlist::clipsOf(path).first());
    const int status = runLauncher(argc, argv, appDir, ahead);
    Trace::finish();
    return status;
}
