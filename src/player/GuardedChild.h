#pragma once

#include <sys/types.h>

// A command run as a child that cannot outlive the program. The child leads a process group of
// its own, so it can be ended with everything it started and nothing else. A guard waits in
// that group for the program to end, however it ends (SIGKILL included), and then kills the
// whole group: a player that ignores every polite signal, or has forked children of its own,
// goes too.
struct GuardedChild {
    pid_t pid = -1;
    // The guard, also a child of the program.
    pid_t guard = -1;
    // The program's end of the guard's lifeline; while it is open the guard waits.
    int lifeline = -1;
};

// Runs the command, written in the shell syntax of commandWords, with inputFd as its standard
// input and outputFd as its standard output (standard error stays the program's). No shell runs
// it: the child is the command's program itself, found on PATH as the shell finds it. Every other
// descriptor of the program must be close-on-exec. Returns a child with pid -1 when it could not be
// started.
GuardedChild startGuardedChild(const char* command, int inputFd, int outputFd);

// Kills the child's whole group at once, without waiting for it to go.
void killGuardedGroup(const GuardedChild& child);

// Kills the child's whole group, reaps the child and its guard, and lets the guard's lifeline
// go. Returns the child's raw wait status, or -1.
int endGuardedChild(GuardedChild& child);
