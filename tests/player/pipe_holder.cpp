// A program that dies holding a player: prints the child's pid and waits to be killed.
#include "DuplexPipe.h"

#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv) {
    FILE* stream = argc == 2 ? openDuplexPipe(argv[1]) : nullptr;
    if (!stream)
        return 1;
    dprintf(STDOUT_FILENO, "%d\n", int(duplexPipeChild(stream)));
    for (;;)
        pause();
}
