#include "BrokenPipeGuard.h"

#include <cerrno>
#include <pthread.h>

namespace {

sigset_t brokenPipeSet() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGPIPE);
    return set;
}

bool brokenPipePending() {
    sigset_t pending;
    sigemptyset(&pending);
    sigpending(&pending);
    return sigismember(&pending, SIGPIPE) == 1;
}

} // namespace

BrokenPipeGuard::BrokenPipeGuard() : pendingBefore_(brokenPipePending()) {
    const sigset_t set = brokenPipeSet();
    pthread_sigmask(SIG_BLOCK, &set, &previousMask_);
}

BrokenPipeGuard::~BrokenPipeGuard() {
    pthread_sigmask(SIG_SETMASK, &previousMask_, nullptr);
}

void BrokenPipeGuard::absorbRaisedSignal() {
    if (pendingBefore_ || !brokenPipePending())
        return;
    const sigset_t set = brokenPipeSet();
    const timespec noWait{0, 0};
    while (sigtimedwait(&set, nullptr, &noWait) < 0 && errno == EINTR) {
    }
}
