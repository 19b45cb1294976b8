// The recording fake player, for tests and benchmarks that must see what the program sends.
// Logs to $FAKE_PLAYER_LOG "START pid [word]..." and "LINE text" per line received ("LINE
// seconds.nanoseconds text" by the wall clock with $FAKE_PLAYER_STAMP); answers identify runs
// with $FAKE_PLAYER_ID (default: a 320x240 avi); ends on "quit" and otherwise idles after "EOF",
// as MPlayer with -idle does. $FAKE_PLAYER_REAL: a real player gets everything too and plays.
// $FAKE_PLAYER_DEAF: reads nothing, ignores "quit", TERM, INT and HUP, and forks ("CHILD pid").
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <unistd.h>

namespace {

FILE* logFile;
int realPlayer = -1; // the write end of its input

[[noreturn]] void idleForever() {
    for (;;)
        pause();
}

[[noreturn]] void beDeaf() {
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
        std::signal(signal, SIG_IGN);
    const pid_t child = fork();
    if (child == 0)
        idleForever();
    std::fprintf(logFile, "CHILD %d\n", int(child));
    std::fflush(logFile);
    idleForever();
}

void logLine(const std::string& line) {
    timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    if (std::getenv("FAKE_PLAYER_STAMP"))
        std::fprintf(logFile, "LINE %ld.%09ld %s\n", long(now.tv_sec), now.tv_nsec, line.c_str());
    else
        std::fprintf(logFile, "LINE %s\n", line.c_str());
    std::fflush(logFile);
}

// Ends on "quit" unless a real player is there to do so; returns at the end of input.
void recordInput() {
    std::string line;
    char chunk[4096];
    ssize_t got;
    while ((got = read(0, chunk, sizeof chunk)) > 0) {
        if (realPlayer >= 0 && write(realPlayer, chunk, size_t(got)) != got)
            return;
        for (const char byte : std::string(chunk, size_t(got))) {
            if (byte != '\n') {
                line += byte;
                continue;
            }
            logLine(line);
            if (line == "quit" && realPlayer < 0)
                std::exit(0);
            line.clear();
        }
    }
}

// The real player's input is a pipe from here; its output is ours.
void startRealPlayer(const char* path, char** argv) {
    int ends[2];
    if (pipe(ends) != 0)
        return;
    if (fork() == 0) {
        dup2(ends[0], 0);
        close(ends[0]);
        close(ends[1]);
        execv(path, argv);
        _exit(127);
    }
    close(ends[0]);
    realPlayer = ends[1];
}

} // namespace

int main(int argc, char** argv) {
    const char* logPath = std::getenv("FAKE_PLAYER_LOG");
    logFile = std::fopen(logPath ? logPath : "/dev/null", "a");
    if (!logFile)
        return 1;
    std::fprintf(logFile, "START %d", int(getpid()));
    bool identify = false;
    for (int i = 1; i < argc; ++i) {
        std::fprintf(logFile, " [%s]", argv[i]);
        identify = identify || std::strcmp(argv[i], "-identify") == 0;
    }
    std::fputc('\n', logFile);
    std::fflush(logFile);
    const char* real = std::getenv("FAKE_PLAYER_REAL");
    if (identify) {
        if (real)
            execv(real, argv);
        const char* identity = std::getenv("FAKE_PLAYER_ID");
        std::puts(identity ? identity
                           : "ID_DEMUXER=avi\nID_VIDEO_BITRATE=321392\nID_VIDEO_WIDTH=320\n"
                             "ID_VIDEO_HEIGHT=240\nID_VIDEO_FPS=25.000\nID_LENGTH=10.00");
        return 0;
    }
    if (std::getenv("FAKE_PLAYER_DEAF"))
        beDeaf();
    if (real)
        startRealPlayer(real, argv);
    recordInput();
    std::fputs("EOF\n", logFile);
    std::fflush(logFile);
    idleForever();
}
