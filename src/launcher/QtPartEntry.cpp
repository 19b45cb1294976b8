#include "Launcher.h"
#include "QtPart.h"

extern "C" __attribute__((visibility("default"))) int
vidlarkQtMain(int argc, char** argv, const char* appDir, const EarlyProbe* probe) {
    return runLauncher(argc, argv, appDir, *probe);
}
