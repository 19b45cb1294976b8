#include "QtPart.h"

#include <cstdio>
#include <dlfcn.h>
#include <string>

int runQtPart(int argc, char** argv, const char* appDir, const EarlyProbe& probe) {
    const std::string file = appDir + std::string(kQtPartFile);
    void* part = dlopen(file.c_str(), RTLD_LAZY | RTLD_LOCAL);
    const auto entry =
        part ? reinterpret_cast<decltype(&vidlarkQtMain)>(dlsym(part, kQtPartEntry)) : nullptr;
    if (!entry) {
        std::fprintf(stderr, "vidlark: cannot load %s: %s\n", file.c_str(), dlerror());
        return 1;
    }
    return entry(argc, argv, appDir, &probe);
}
