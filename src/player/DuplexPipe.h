#pragma once

#include <QByteArray>
#include <cstdio>
#include <sys/types.h>

class QSocketNotifier;

// A two-way popen: the child shell command's standard input and output are one end of a Unix
// socket pair; the program holds the other end as one "r+" stdio stream and only ever writes
// to it. The child runs in a process group of its own, so it can be ended with everything it
// started and nothing else. Whatever the child prints is read and discarded from the event loop.
struct PipeChild {
    FILE* stream;
    pid_t pid;
    PipeChild* next;
    QSocketNotifier* drain; // reads and discards the child's output; null without an application
};

// The stream, or null on failure.
FILE* openDuplexPipe(const QByteArray& command);

// Closes the stream and waits for the child, without bound; returns its raw wait status, or -1
// (errno EBADF when the stream is not an open duplex stream).
int closeDuplexPipe(FILE* stream);

// As above, but waits at most graceMs for the child to end by itself before the child's process
// group is killed; then reaps it. What the child left running in its group is killed too, and the
// child is ended and reaped even when the stream fails to close (the result is then -1).
int closeDuplexPipe(FILE* stream, int graceMs);

// Kills the child's whole process group at once with SIGKILL; the stream stays open until
// closed. Returns 0, or -1 with errno EBADF for a stream that is not open.
int killDuplexPipeGroup(FILE* stream);

// The pid of the stream's child, or -1.
pid_t duplexPipeChild(FILE* stream);

// Writes the text exactly and flushes it at once. With no stream it does nothing. A command the
// child can no longer receive is lost; it never raises SIGPIPE.
void sendCommand(FILE* stream, const QByteArray& text);
