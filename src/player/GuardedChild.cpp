#include "GuardedChild.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int kLifelineFd = 3;

// Run by the child's shell ahead of the command. The guard is a background job of the shell, so
// a member of the child's group and not a copy of the program: it reads the lifeline until the
// program's end of it closes, which happens only when the program ends, and then kills the group.
// It holds none of the child's output, and the command does not inherit the lifeline.
constexpr char kGuard[] = "(read _; kill -9 0) <&3 >/dev/null 2>&1 & exec 3<&-; ";

// Each descriptor is first moved clear of 0-3, so that no dup2 overwrites another of them; a
// program started with its standard input closed hands out 0 as an ordinary descriptor.
bool placeDescriptors(int inputFd, int outputFd, int lifeline) {
    const int sources[] = {inputFd, outputFd, lifeline};
    int moved[3];
    for (int i = 0; i < 3; ++i) {
        moved[i] = fcntl(sources[i], F_DUPFD_CLOEXEC, kLifelineFd + 1);
        if (moved[i] < 0)
            return false;
    }
    // A descriptor dup2 creates is inherited across exec.
    return dup2(moved[0], 0) == 0 && dup2(moved[1], 1) == 1 && dup2(moved[2], kLifelineFd) >= 0;
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

// Runs in the vfork child, on the program's memory while the calling thread waits: system calls
// only, nothing that allocates, locks or writes outside this frame.
[[noreturn]] void runChild(const char* script, int inputFd, int outputFd, int lifeline,
                           pid_t parent) {
    setpgid(0, 0);
    // The direct child goes at once with the program; the guard sees to the rest of the group.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent || !placeDescriptors(inputFd, outputFd, lifeline))
        _exit(127);
    resetSignals();
    execl("/bin/sh", "sh", "-c", script, static_cast<char*>(nullptr));
    _exit(127);
}

} // namespace

// vfork, not fork: copying the address space of a program with a GUI loaded costs about a
// millisecond on the way to every player start. All signals stay blocked until the child has
// execed, so that no handler of the program ever runs in the child.
GuardedChild startGuardedChild(const char* command, int inputFd, int outputFd) {
    int lifeline[2];
    if (pipe2(lifeline, O_CLOEXEC) != 0)
        return {};
    const std::string script = kGuard + std::string(command);
    sigset_t all;
    sigset_t previous;
    sigfillset(&all);
    pthread_sigmask(SIG_SETMASK, &all, &previous);
    const pid_t parent = getpid();
    const pid_t pid = vfork();
    if (pid == 0)
        runChild(script.c_str(), inputFd, outputFd, lifeline[0], parent);
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    close(lifeline[0]);
    if (pid < 0) {
        close(lifeline[1]);
        return {};
    }
    return {pid, lifeline[1]};
}

// The child stays unreaped until its group has been killed, so the group id cannot have been
// reused. A group id of 0 or 1 would widen the kill to our own group or to every process.
void killGuardedGroup(const GuardedChild& child) {
    if (child.pid > 1)
        kill(-child.pid, SIGKILL);
}

int endGuardedChild(GuardedChild& child) {
    if (child.pid < 0)
        return -1;
    killGuardedGroup(child);
    int status = 0;
    pid_t reaped;
    do {
        reaped = waitpid(child.pid, &status, 0);
    } while (reaped < 0 && errno == EINTR);
    close(child.lifeline);
    child = {};
    return reaped < 0 ? -1 : status;
}
