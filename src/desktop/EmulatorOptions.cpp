#include "EmulatorOptions.h"

#include "MemoryCard.h"

#include <QFile>
#include <cstring>

namespace EmulatorOptions {
namespace {

bool bareAsked = false;

// How many words, from the one at argv[i], form an option of ours: 0 when it is none.
int takeOption(int i, int argc, char** argv) {
    if (std::strcmp(argv[i], "-bare") == 0) {
        bareAsked = true;
        return 1;
    }
    if (std::strcmp(argv[i], "-card") != 0)
        return 0;
    if (i + 1 >= argc)
        return 1;
    MemoryCard::setPath(QFile::decodeName(argv[i + 1]));
    return 2;
}

} // namespace

void take(int& argc, char** argv) {
    int kept = 1;
    int i = 1;
    while (i < argc && std::strcmp(argv[i], "--") != 0) {
        const int taken = takeOption(i, argc, argv);
        if (taken == 0)
            argv[kept++] = argv[i++];
        i += taken;
    }
    while (i < argc)
        argv[kept++] = argv[i++];
    argv[kept] = nullptr;
    argc = kept;
}

bool bare() {
    return bareAsked;
}

} // namespace EmulatorOptions
