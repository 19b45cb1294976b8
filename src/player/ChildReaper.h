#pragma once

#include <sys/types.h>

// Sends SIGKILL to every process in the group the child pid leads.
void killChildGroup(pid_t pid);

// Waits for the child pid without bound, again after every interruption by a signal. Returns
// its raw wait status, or -1 when the wait fails otherwise.
int reapChild(pid_t pid);

// Gives the child pid, the leader of its own process group, up to graceMs to end by itself,
// then kills with SIGKILL whatever is left in that group (the child too if it still runs) and
// reaps the child. The child stays unreaped until the kill, so its group id cannot have been
// reused. Returns the raw wait status, or -1.
int endChildGroup(pid_t pid, int graceMs);
