#include "ChildReaper.h"

#include <QDeadlineTimer>
#include <cerrno>
#include <csignal>
#include <poll.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

namespace {

constexpr long kPollStepNs = 10'000'000;

// Without reaping, so that the pid stays reserved.
bool hasEnded(pid_t pid) {
    siginfo_t info{};
    if (waitid(P_PID, id_t(pid), &info, WEXITED | WNOHANG | WNOWAIT) != 0)
        return true;
    return info.si_pid == pid;
}

void pollUntilEnded(int pidfd, const QDeadlineTimer& deadline) {
    pollfd watch{pidfd, POLLIN, 0};
    while (poll(&watch, 1, int(deadline.remainingTime())) < 0 && errno == EINTR) {
    }
}

// For kernels without pidfd_open.
void sleepUntilEnded(pid_t pid, const QDeadlineTimer& deadline) {
    const timespec step{0, kPollStepNs};
    while (!hasEnded(pid) && !deadline.hasExpired())
        nanosleep(&step, nullptr);
}

void awaitEnd(pid_t pid, int graceMs) {
    const QDeadlineTimer deadline(graceMs < 0 ? 0 : graceMs);
    // Through syscall(): the C library's own wrapper is not usable from C++ everywhere.
    const int pidfd = int(syscall(SYS_pidfd_open, pid, 0));
    if (pidfd < 0) {
        sleepUntilEnded(pid, deadline);
        return;
    }
    pollUntilEnded(pidfd, deadline);
    close(pidfd);
}

void killChildGroup(pid_t pid) {
    // A group id of 0 or 1 would widen the kill to our own group or to every process.
    if (pid > 1)
        kill(-pid, SIGKILL);
}

int reapChild(pid_t pid) {
    int status = 0;
    pid_t result;
    do {
        result = waitpid(pid, &status, 0);
    } while (result < 0 && errno == EINTR);
    return result < 0 ? -1 : status;
}

} // namespace

int endChildGroup(pid_t pid, int graceMs) {
    awaitEnd(pid, graceMs);
    killChildGroup(pid);
    return reapChild(pid);
}
