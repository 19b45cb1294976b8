#pragma once

#include <QByteArrayList>
#include <sys/types.h>

// A program run as a child that cannot outlive the program. A guard starts first and leads a
// process group of its own; the child joins it. The guard waits on a lifeline only the program
// holds, and when the program ends, however it ends (SIGKILL included), it kills the whole group:
// a child that ignores every polite signal, or has forked children of its own, goes too. The
// group is never the program's own: starting fails when it cannot be made.
class ChildProcess {
public:
    ChildProcess() = default;
    // Ends a child still there, as end() does.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Runs argv[0] (a path, or a name found on PATH) with the words of argv, inputFd as its
    // standard input and outputFd as its standard output; its standard error is the program's.
    // No other descriptor of the program reaches it. False when it could not be started or its
    // program could not be executed; error() then tells why, as an errno value.
    bool start(const QByteArrayList& argv, int inputFd, int outputFd);
    int error() const { return error_; }

    // Kills the child's whole group at once, without waiting for it to go.
    void kill();

    // Kills the whole group, reaps the child and the guard, and lets the lifeline go.
    void end();

private:
    pid_t pid_ = -1;
    pid_t guard_ = -1;
    int lifeline_ = -1;
    int error_ = 0;
};
