#pragma once

#include "QtPart.h"

#include <QByteArray>

// Start-up from Qt on: writes its trace, creates the application object and takes the direct
// road (a media path was given) or the picker road, with the probe the start began, if any.
// Returns the exit status.
int runLauncher(int argc, char** argv, const QByteArray& appDir, const EarlyProbe& earlyProbe);
