#pragma once

#include "GuardedChild.h"

#include <QByteArray>
#include <cstdio>

class QSocketNotifier;

// A two-way popen: the child command's standard input and output are one end of a Unix
// socket pair; the program holds the other end as one "r+" stdio stream. The child cannot outlive
// the program (see GuardedChild). Whatever the child prints is read and discarded from the event
// loop; commands go to it through a CommandQueue on the stream's descriptor.
struct PipeChild {
    FILE* stream;
    GuardedChild child;
    PipeChild* next;
    QSocketNotifier* drain; // reads and discards the child's output; null without an application
};

// The stream, or null on failure.
FILE* openDuplexPipe(const QByteArray& command);

// Closes the stream, kills the child's process group, with whatever it left running there, and
// reaps the child. Returns its raw wait status, or -1 (errno EBADF when the stream is not an open
// duplex stream).
int closeDuplexPipe(FILE* stream);
