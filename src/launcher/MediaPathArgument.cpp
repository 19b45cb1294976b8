#include "MediaPathArgument.h"

#include <cstring>

void takeEndOfOptions(int& argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") != 0)
            continue;
        for (; i < argc; ++i)
            argv[i] = argv[i + 1];
        --argc;
        return;
    }
}

const char* mediaPathArgument(int argc, char** argv) {
    // A single word is the file the user named; the handset's own launcher passes the path as
    // word 2 behind a word of its own.
    if (argc == 2)
        return argv[1];
    return argc > 2 ? argv[2] : nullptr;
}
