#pragma once

#include <csignal>

// Holds SIGPIPE off the calling thread while a stream to a child is written, so that writing to
// a child that has gone fails with EPIPE instead of ending the program. The previous signal mask
// comes back when the guard goes.
class BrokenPipeGuard {
public:
    BrokenPipeGuard();
    ~BrokenPipeGuard();
    BrokenPipeGuard(const BrokenPipeGuard&) = delete;
    BrokenPipeGuard& operator=(const BrokenPipeGuard&) = delete;

    // After a failed write: takes back the SIGPIPE that write left pending, so it is not
    // delivered when the mask is restored. One that was pending before the guard is left alone.
    void absorbRaisedSignal();

private:
    sigset_t previousMask_;
    bool pendingBefore_;
};
