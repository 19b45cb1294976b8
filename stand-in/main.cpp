// Stands in for the handset's MPlayer build: translates its command line for Debian's MPlayer
// and replaces itself with it, so the running player is the real "mplayer".
#include "Translation.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

std::string environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The player must not outlive whoever started it, even when that one is killed outright.
void dieWithParent() {
    const pid_t parent = getppid();
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent)
        _exit(1);
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const std::vector<std::string> translated =
        translateArguments(args, {environmentValue("DISPLAY"), environmentValue("VIDLARK_WID")});

    std::string player = environmentValue("VIDLARK_MPLAYER");
    if (player.empty())
        player = "/usr/bin/mplayer";
    std::vector<char*> words{const_cast<char*>("mplayer")};
    for (const std::string& word : translated)
        words.push_back(const_cast<char*>(word.c_str()));
    words.push_back(nullptr);

    dieWithParent();
    execv(player.c_str(), words.data());
    std::fprintf(stderr, "%s: cannot run %s: %s\n", argv[0], player.c_str(), std::strerror(errno));
    return 127;
}
