#include "ProbeRun.h"

#include <fcntl.h>
#include <unistd.h>

ProbeRun startProbeRun(const char* command) {
    ProbeRun run;
    run.started = std::chrono::steady_clock::now();
    // The run reads nothing from the user's terminal.
    const int input = open("/dev/null", O_RDONLY | O_CLOEXEC);
    int ends[2];
    if (input < 0 || pipe2(ends, O_CLOEXEC) != 0) {
        if (input >= 0)
            close(input);
        return run;
    }
    run.child = startGuardedChild(command, input, ends[1]);
    close(input);
    close(ends[1]);
    if (run.child.pid < 0) {
        close(ends[0]);
        return run;
    }
    run.output = ends[0];
    fcntl(run.output, F_SETFL, O_NONBLOCK);
    return run;
}
