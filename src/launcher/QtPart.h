#pragma once

#include "ProbeRun.h"

// The program is two pieces: a start without Qt, and the Qt part, a module it loads from the
// program directory. The start sets the probe going first, so that loading Qt's libraries, some
// 10 ms, runs beside the probe instead of ahead of it. They share only the plain data below, as
// they are linked apart.

// The identify run the start began, if any.
struct EarlyProbe {
    // The clip's path as given; null when no run was started.
    const char* mediaPath = nullptr;
    // The run's shell command, as the trace shows it.
    const char* command = nullptr;
    ProbeRun run;
};

inline constexpr char kQtPartFile[] = "/libvidlark-qt.so";
inline constexpr char kQtPartEntry[] = "vidlarkQtMain";

// The Qt part's entry: the program from Qt's start on. Returns the exit status.
extern "C" int vidlarkQtMain(int argc, char** argv, const char* appDir, const EarlyProbe* probe);

// Loads the Qt part from the program directory and runs it.
int runQtPart(int argc, char** argv, const char* appDir, const EarlyProbe& probe);
