#pragma once

#include <sys/types.h>

// Gives the child pid, the leader of its own process group, up to graceMs to end by itself,
// then kills with SIGKILL whatever is left in that group (the child too if it still runs) and
// reaps the child. The child stays unreaped until the kill, so its group id cannot have been
// reused. Returns the raw wait status, or -1.
int endChildGroup(pid_t pid, int graceMs);
