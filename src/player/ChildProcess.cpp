#include "ChildProcess.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

// Reads the lifeline, its standard input, until the program's end of it closes, which happens
// only when the program ends; then kills its group, which is the child's.
const char* const kGuardWords[] = {"/bin/sh", "-c", "read _; kill -9 0", nullptr};

// The attributes and descriptor plumbing of one start, in posix_spawn's terms.
class SpawnPlan {
public:
    SpawnPlan(int inputFd, int outputFd, pid_t group) {
        posix_spawnattr_init(&attributes_);
        posix_spawn_file_actions_init(&actions_);
        sigset_t every;
        sigfillset(&every);
        posix_spawnattr_setsigdefault(&attributes_, &every);
        sigset_t none;
        sigemptyset(&none);
        posix_spawnattr_setsigmask(&attributes_, &none);
        posix_spawnattr_setpgroup(&attributes_, group);
        posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGDEF |
                                                   POSIX_SPAWN_SETSIGMASK);
        posix_spawn_file_actions_adddup2(&actions_, inputFd, STDIN_FILENO);
        if (outputFd >= 0)
            posix_spawn_file_actions_adddup2(&actions_, outputFd, STDOUT_FILENO);
        else
            posix_spawn_file_actions_addopen(&actions_, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addclosefrom_np(&actions_, STDERR_FILENO + 1);
    }
    ~SpawnPlan() {
        posix_spawn_file_actions_destroy(&actions_);
        posix_spawnattr_destroy(&attributes_);
    }
    SpawnPlan(const SpawnPlan&) = delete;
    SpawnPlan& operator=(const SpawnPlan&) = delete;

    // The child's pid, or the errno value as a negative number.
    pid_t spawn(char* const* words) const {
        pid_t pid = -1;
        const int error = posix_spawnp(&pid, words[0], &actions_, &attributes_, words, environ);
        return error == 0 ? pid : -error;
    }

private:
    posix_spawnattr_t attributes_;
    posix_spawn_file_actions_t actions_;
};

void reap(pid_t pid) {
    while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
}

} // namespace

ChildProcess::~ChildProcess() {
    end();
}

bool ChildProcess::start(const QByteArrayList& argv, int inputFd, int outputFd) {
    end();
    error_ = EINVAL;
    if (argv.isEmpty())
        return false;
    int lifeline[2];
    if (pipe2(lifeline, O_CLOEXEC) != 0) {
        error_ = errno;
        return false;
    }
    lifeline_ = lifeline[1];
    guard_ = SpawnPlan(lifeline[0], -1, 0).spawn(const_cast<char* const*>(kGuardWords));
    close(lifeline[0]);
    if (guard_ > 0) {
        std::vector<char*> words;
        for (const QByteArray& word : argv)
            words.push_back(const_cast<char*>(word.constData()));
        words.push_back(nullptr);
        pid_ = SpawnPlan(inputFd, outputFd, guard_).spawn(words.data());
    }
    if (guard_ > 0 && pid_ > 0) {
        error_ = 0;
        return true;
    }
    // A failed spawn left the errno value, negated, where the pid would be.
    error_ = guard_ <= 0 ? -guard_ : -pid_;
    pid_ = -1;
    end();
    return false;
}

// The guard stays unreaped until the group has been killed, so the group id cannot have been
// reused meanwhile; a group id of 0 or 1 would widen the kill to our own group or to every
// process.
void ChildProcess::kill() {
    if (guard_ > 1)
        ::kill(-guard_, SIGKILL);
}

void ChildProcess::end() {
    kill();
    for (const pid_t pid : {pid_, guard_}) {
        if (pid > 0)
            reap(pid);
    }
    if (lifeline_ >= 0)
        close(lifeline_);
    pid_ = guard_ = lifeline_ = -1;
}
