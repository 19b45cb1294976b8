#pragma once

#include "FileArgument.h"
#include "GuardedChild.h"
#include "ShellQuote.h"

#include <chrono>

// The start of an identify run, apart from reading it, and without Qt: the program starts its
// first run before Qt is loaded.

// The shell command of the identify run of probeProgram on a clip.
template <typename Bytes> Bytes probeCommand(const Bytes& mediaPath, const Bytes& probeProgram) {
    return shellWord(probeProgram) + " -identify \"" +
           escapeForDoubleQuotes(asFileArgument(mediaPath)) + "\" -nosound -vc dummy -vo null";
}

struct ProbeRun {
    GuardedChild child;
    // The read end of the run's output, non-blocking; -1 when the run could not be started.
    int output = -1;
    std::chrono::steady_clock::time_point started;
};

// Starts the command as a guarded child that reads nothing and writes to a pipe.
ProbeRun startProbeRun(const char* command);
