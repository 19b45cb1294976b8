#include "DuplexPipe.h"

#include "BrokenPipeGuard.h"
#include "ChildReaper.h"
#include "PipeDrain.h"

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <stdio_ext.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// Newest first; the program has one thread, so the list needs no lock.
PipeChild* openPipes = nullptr;

PipeChild** linkTo(FILE* stream) {
    PipeChild** link = &openPipes;
    while (*link && (*link)->stream != stream)
        link = &(*link)->next;
    return link;
}

PipeChild* recordOf(FILE* stream) {
    return *linkTo(stream);
}

// Unlinks and frees the stream's record; returns the child's pid, or -1 with EBADF.
pid_t forgetRecord(FILE* stream) {
    PipeChild** link = linkTo(stream);
    PipeChild* record = *link;
    if (!record) {
        errno = EBADF;
        return -1;
    }
    *link = record->next;
    const pid_t pid = record->pid;
    delete record->drain;
    std::free(record);
    return pid;
}

// Both socket ends are created close-on-exec, so no other child of the program can inherit
// them; the child's own end loses the flag where it becomes standard input or output.
bool becomeStdInOut(int childEnd) {
    for (const int target : {0, 1}) {
        const int result = childEnd == target ? fcntl(target, F_SETFD, 0) : dup2(childEnd, target);
        if (result < 0)
            return false;
    }
    if (childEnd > 1)
        close(childEnd);
    return true;
}

void closeInheritedPipes() {
    for (PipeChild* record = openPipes; record; record = record->next) {
        const int fd = fileno(record->stream);
        // 0 and 1 are this child's own socket now; dup2 has already dropped whatever was there.
        if (fd > 1)
            close(fd);
    }
}

// The player must not outlive the program. The death signal follows the forking thread, which is
// the program's only one.
void dieWithParent(pid_t parent) {
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent)
        _exit(127);
}

// The program's own signal set-up must not reach the player: it has to die of a broken pipe
// like any shell command, and nothing it relies on may stay blocked.
void restoreSignals() {
    signal(SIGPIPE, SIG_DFL);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
}

// Only async-signal-safe calls from here on: the program may have other threads.
[[noreturn]] void runChild(int parentEnd, int childEnd, pid_t parent, const char* command) {
    close(parentEnd);
    if (!becomeStdInOut(childEnd))
        _exit(127);
    closeInheritedPipes();
    // A group of its own lets the program end the shell and all it started, and nothing else.
    setpgid(0, 0);
    dieWithParent(parent);
    restoreSignals();
    execl("/bin/sh", "sh", "-c", command, static_cast<char*>(nullptr));
    _exit(127);
}

// After the fork the child runs; when the program cannot keep hold of it, nothing else would
// ever end or reap it.
FILE* endUnheldChild(pid_t pid) {
    endChildGroup(pid, 0);
    return nullptr;
}

int closeStream(FILE* stream) {
    BrokenPipeGuard guard;
    const bool flushed = fflush(stream) == 0;
    shutDownQuietly(fileno(stream));
    const bool closed = fclose(stream) == 0;
    if (flushed && closed)
        return 0;
    guard.absorbRaisedSignal();
    return EOF;
}

} // namespace

FILE* openDuplexPipe(const QByteArray& command) {
    int ends[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0)
        return nullptr;
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid < 0) {
        close(ends[0]);
        close(ends[1]);
        return nullptr;
    }
    if (pid == 0)
        runChild(ends[0], ends[1], parent, command.constData());

    // Also here, so the group exists before anyone can try to kill it.
    setpgid(pid, pid);
    close(ends[1]);
    FILE* stream = fdopen(ends[0], "r+");
    if (!stream) {
        close(ends[0]);
        return endUnheldChild(pid);
    }
    auto* record = static_cast<PipeChild*>(std::malloc(sizeof(PipeChild)));
    if (!record) {
        closeStream(stream);
        return endUnheldChild(pid);
    }
    *record = PipeChild{stream, pid, openPipes, startDraining(ends[0])};
    openPipes = record;
    return stream;
}

int closeDuplexPipe(FILE* stream) {
    const pid_t pid = forgetRecord(stream);
    if (pid < 0)
        return -1;
    if (closeStream(stream) != 0)
        return -1;
    return reapChild(pid);
}

int closeDuplexPipe(FILE* stream, int graceMs) {
    const pid_t pid = forgetRecord(stream);
    if (pid < 0)
        return -1;
    // Even when the stream fails to close, the child is ended and reaped: it must not outlive
    // the program, and nobody else could reap it.
    const bool closed = closeStream(stream) == 0;
    const int closeError = errno;
    const int status = endChildGroup(pid, graceMs);
    if (closed)
        return status;
    errno = closeError;
    return -1;
}

int killDuplexPipeGroup(FILE* stream) {
    const PipeChild* record = recordOf(stream);
    if (!record) {
        errno = EBADF;
        return -1;
    }
    killChildGroup(record->pid);
    return 0;
}

pid_t duplexPipeChild(FILE* stream) {
    const PipeChild* record = recordOf(stream);
    return record ? record->pid : -1;
}

void sendCommand(FILE* stream, const QByteArray& text) {
    if (!stream)
        return;
    BrokenPipeGuard guard;
    const size_t size = size_t(text.size());
    const bool written = fwrite(text.constData(), 1, size, stream) == size;
    if (fflush(stream) == 0 && written)
        return;
    // The child has gone: the command is lost, and must not be written again by a later flush
    // or by fclose.
    __fpurge(stream);
    clearerr(stream);
    guard.absorbRaisedSignal();
}
