// Holds one duplex pipe open on the command given and prints the child's pid, until it is
// killed: a program that dies with a player running. It has no application object, so nothing
// reads the child's output.
#include "DuplexPipe.h"

#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    FILE* stream = openDuplexPipe(argv[1]);
    if (!stream)
        return 1;
    std::printf("%d\n", int(duplexPipeChild(stream)));
    std::fflush(stdout);
    for (;;)
        pause();
}
