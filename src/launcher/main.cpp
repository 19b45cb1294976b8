// The program's start, without Qt: it sets the identify run going, then loads the Qt part.
#include "AppDirectory.h"
#include "MediaPathArgument.h"
#include "PlayerInterface.h"
#include "QtPart.h"

#include <string>

namespace {

// Qt and the emulator take their options out of the words only once loaded. Unless a word looks
// like an option, the words are already what they will leave, and the path is known now; the Qt
// part checks it again and probes anew should it differ.
const char* pathKnownBeforeQt(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (argv[i][0] == '-')
            return nullptr;
    }
    return mediaPathArgument(argc, argv);
}

} // namespace

int main(int argc, char** argv) {
    const std::string appDir = appDirectory().value_or(std::string());
    std::string command;
    EarlyProbe probe;
    if (const char* path = pathKnownBeforeQt(argc, argv)) {
        command = probeCommand(std::string(path), appDir + '/' + Player::kProbeExecutable);
        probe = {path, command.c_str(), startProbeRun(command.c_str())};
    }
    return runQtPart(argc, argv, appDir.c_str(), probe);
}
