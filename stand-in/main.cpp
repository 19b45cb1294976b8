// Stands in for the handset's MPlayer build: translates its command line for Debian's MPlayer
// and replaces itself with it, so the running player is the real "mplayer".
#include "Translation.h"
#include "TransportStream.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The first bytes of a regular file; none of anything else, which could block (a FIFO) or never
// end (a device).
std::string regularFileHead(const std::string& path, std::size_t size) {
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return {};
    std::string head(size, '\0');
    struct stat status {};
    const ssize_t got =
        fstat(fd, &status) == 0 && S_ISREG(status.st_mode) ? pread(fd, head.data(), size, 0) : 0;
    close(fd);
    head.resize(got > 0 ? std::size_t(got) : 0);
    return head;
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
        translateArguments(args, {environmentValue("DISPLAY"), environmentValue("VIDLARK_WID"),
                                  regularFileHead(mediaArgument(args), kTransportStreamHeadBytes)});

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
