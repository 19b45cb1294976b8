#include "GuardedChild.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <linux/close_range.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int kGuardFd = 3;

void closeFrom(int first, unsigned last) {
    if (syscall(SYS_close_range, unsigned(first), last, 0) == 0)
        return;
    for (int fd = first; fd < 65536 && unsigned(fd) <= last; ++fd)
        close(fd);
}

// Every descriptor but the lifeline goes: a guard that held the player's socket, the program's
// output or another child's lifeline would keep them open after the program has died.
void keepOnlyLifeline(int lifeline) {
    if (lifeline != kGuardFd) {
        dup2(lifeline, kGuardFd);
        close(lifeline);
    }
    closeFrom(0, kGuardFd - 1);
    closeFrom(kGuardFd + 1, ~0U);
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

// Reads the lifeline until the program's end of it closes: when the program ends, the kernel
// closes it, and nothing else holds it open. Then the group goes, the guard with it.
[[noreturn]] void guardGroup(int lifeline) {
    keepOnlyLifeline(lifeline);
    resetSignals();
    char byte;
    while (read(kGuardFd, &byte, 1) != 0) {
        if (errno != EINTR)
            break;
    }
    kill(0, SIGKILL);
    _exit(0);
}

bool becomeStdInOut(int inputFd, int outputFd) {
    if (dup2(inputFd, 0) < 0 || dup2(outputFd, 1) < 0)
        return false;
    // Descriptors that were already 0 or 1 keep their close-on-exec flag through dup2.
    return fcntl(0, F_SETFD, 0) == 0 && fcntl(1, F_SETFD, 0) == 0;
}

// Only async-signal-safe calls from here on: the program may have other threads.
[[noreturn]] void runChild(const char* command, int inputFd, int outputFd, int lifeline,
                           pid_t parent) {
    setpgid(0, 0);
    const pid_t guard = fork();
    if (guard == 0)
        guardGroup(lifeline);
    if (guard < 0 || !becomeStdInOut(inputFd, outputFd))
        _exit(127);
    // The direct child goes at once with the program; the guard sees to the rest of the group.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent)
        _exit(127);
    resetSignals();
    execl("/bin/sh", "sh", "-c", command, static_cast<char*>(nullptr));
    _exit(127);
}

} // namespace

GuardedChild startGuardedChild(const char* command, int inputFd, int outputFd) {
    int lifeline[2];
    if (pipe2(lifeline, O_CLOEXEC) != 0)
        return {};
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid == 0) {
        close(lifeline[1]);
        runChild(command, inputFd, outputFd, lifeline[0], parent);
    }
    close(lifeline[0]);
    if (pid < 0) {
        close(lifeline[1]);
        return {};
    }
    // Also here, so the group exists before anyone can try to kill it.
    setpgid(pid, pid);
    return {pid, lifeline[1]};
}

// The child stays unreaped until its group is killed, so the group id cannot have been reused.
int endGuardedChild(GuardedChild& child) {
    if (child.pid < 0)
        return -1;
    // A group id of 0 or 1 would widen the kill to our own group or to every process.
    if (child.pid > 1)
        kill(-child.pid, SIGKILL);
    int status = 0;
    pid_t reaped;
    do {
        reaped = waitpid(child.pid, &status, 0);
    } while (reaped < 0 && errno == EINTR);
    close(child.lifeline);
    child = {};
    return reaped < 0 ? -1 : status;
}
