#include "DuplexPipe.h"

#include "PipeDrain.h"

#include <QSocketNotifier>
#include <cerrno>
#include <cstdlib>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// Newest first; the program has one thread, so the list needs no lock.
PipeChild* openPipes = nullptr;

// Unlinks the stream's record; null with EBADF when there is none.
PipeChild* takeRecord(FILE* stream) {
    PipeChild** link = &openPipes;
    while (*link && (*link)->stream != stream)
        link = &(*link)->next;
    PipeChild* record = *link;
    if (!record) {
        errno = EBADF;
        return nullptr;
    }
    *link = record->next;
    return record;
}

int closeStream(FILE* stream) {
    shutDownQuietly(fileno(stream));
    return fclose(stream);
}

} // namespace

FILE* openDuplexPipe(const QByteArray& command) {
    int ends[2];
    // Close-on-exec, so no other child of the program inherits either end; the child's own end
    // loses the flag where it becomes standard input and output.
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0)
        return nullptr;
    GuardedChild child = startGuardedChild(command.constData(), ends[1], ends[1]);
    close(ends[1]);
    if (child.pid < 0) {
        close(ends[0]);
        return nullptr;
    }
    FILE* stream = fdopen(ends[0], "r+");
    auto* record = static_cast<PipeChild*>(std::malloc(sizeof(PipeChild)));
    if (!stream || !record) {
        // Nothing else would ever end or reap the child already started.
        std::free(record);
        stream ? closeStream(stream) : close(ends[0]);
        endGuardedChild(child);
        return nullptr;
    }
    *record = PipeChild{stream, child, openPipes, startDraining(ends[0])};
    openPipes = record;
    return stream;
}

int closeDuplexPipe(FILE* stream) {
    PipeChild* record = takeRecord(stream);
    if (!record)
        return -1;
    delete record->drain;
    // Even when the stream fails to close, the child is ended and reaped: it must not outlive
    // the program, and nobody else could reap it.
    const bool closed = closeStream(stream) == 0;
    const int closeError = errno;
    const int status = endGuardedChild(record->child);
    std::free(record);
    if (closed)
        return status;
    errno = closeError;
    return -1;
}
