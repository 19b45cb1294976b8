#include "GuardedChild.h"

#include "CommandWords.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/uio.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Reads the lifeline, its standard input, until the program's end of it closes, which happens
// only when the program ends; then kills its group, which is the child's.
const char* const kGuardWords[] = {"/bin/sh", "-c", "read _; kill -9 0", nullptr};

// Each descriptor is first moved clear of 0-2, so that no dup2 overwrites another of them; a
// program started with its standard input closed hands out 0 as an ordinary descriptor. A
// descriptor dup2 creates is inherited across exec. Output -1 closes standard output.
bool placeDescriptors(int inputFd, int outputFd) {
    const int input = fcntl(inputFd, F_DUPFD_CLOEXEC, 3);
    const int output = outputFd < 0 ? -1 : fcntl(outputFd, F_DUPFD_CLOEXEC, 3);
    if (input < 0 || (outputFd >= 0 && output < 0) || dup2(input, 0) != 0)
        return false;
    return output < 0 ? close(1) == 0 || errno == EBADF : dup2(output, 1) == 1;
}

void resetSignals() {
    struct sigaction standard = {};
    standard.sa_handler = SIG_DFL;
    for (int signal = 1; signal < NSIG; ++signal)
        sigaction(signal, &standard, nullptr);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
}

void reportUnrunnable(const char* program) {
    const char prefix[] = "vidlark: cannot run ";
    const iovec parts[] = {{const_cast<char*>(prefix), sizeof prefix - 1},
                           {const_cast<char*>(program), std::strlen(program)},
                           {const_cast<char*>("\n"), 1}};
    ssize_t written = writev(2, parts, 3);
    (void)written;
}

struct Start {
    char* const* words;
    int inputFd;
    int outputFd;
    // The group to join; 0 leads a new one.
    pid_t group;
    // Whether the process dies at once with the program.
    bool diesWithParent;
};

// Runs in the vfork child, on the program's memory while the calling thread waits: system calls
// only, nothing that allocates, locks or writes outside this frame.
[[noreturn]] void runChild(const Start& start, pid_t parent) {
    setpgid(0, start.group);
    if (start.diesWithParent)
        prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent || !placeDescriptors(start.inputFd, start.outputFd))
        _exit(127);
    resetSignals();
    execvp(start.words[0], start.words);
    reportUnrunnable(start.words[0]);
    _exit(127);
}

// vfork, not fork: copying the address space of a program with a GUI loaded costs about a
// millisecond on the way to every player start. All signals stay blocked until the child has
// execed, so that no handler of the program ever runs in the child. Returns the child's pid, or
// -1; a child that could not exec has already exited with status 127.
pid_t spawn(const Start& start) {
    sigset_t all;
    sigset_t previous;
    sigfillset(&all);
    pthread_sigmask(SIG_SETMASK, &all, &previous);
    const pid_t parent = getpid();
    const pid_t pid = vfork();
    if (pid == 0)
        runChild(start, parent);
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    return pid;
}

bool exitedAlready(pid_t pid) {
    return waitpid(pid, nullptr, WNOHANG) == pid;
}

} // namespace

// The child starts first, as it is on the way to playback; the guard joins its group right
// after. Until then the child dies with the program through its parent-death signal.
GuardedChild startGuardedChild(const char* command, int inputFd, int outputFd) {
    const std::optional<std::vector<std::string>> words = commandWords(command);
    if (!words || words->empty())
        return {};
    std::vector<char*> argv;
    for (const std::string& word : *words)
        argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    int lifeline[2];
    if (pipe2(lifeline, O_CLOEXEC) != 0)
        return {};
    GuardedChild child;
    child.lifeline = lifeline[1];
    child.pid = spawn({argv.data(), inputFd, outputFd, 0, true});
    if (child.pid > 0)
        child.guard =
            spawn({const_cast<char* const*>(kGuardWords), lifeline[0], -1, child.pid, false});
    close(lifeline[0]);
    if (child.pid > 0 && child.guard > 0 && !exitedAlready(child.guard))
        return child;
    endGuardedChild(child);
    return {};
}

// The child stays unreaped until its group has been killed, so the group id cannot have been
// reused. A group id of 0 or 1 would widen the kill to our own group or to every process.
void killGuardedGroup(const GuardedChild& child) {
    if (child.pid > 1)
        kill(-child.pid, SIGKILL);
}

namespace {

int reap(pid_t pid) {
    int status = 0;
    pid_t reaped;
    do {
        reaped = waitpid(pid, &status, 0);
    } while (reaped < 0 && errno == EINTR);
    return reaped < 0 ? -1 : status;
}

} // namespace

int endGuardedChild(GuardedChild& child) {
    killGuardedGroup(child);
    const int status = child.pid > 0 ? reap(child.pid) : -1;
    if (child.guard > 0)
        reap(child.guard);
    if (child.lifeline >= 0)
        close(child.lifeline);
    child = {};
    return status;
}
