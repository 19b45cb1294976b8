#pragma once

#include <QByteArray>

class ProbeAhead;

// Start-up from Qt on: writes its trace, creates the application object and takes the direct
// road (a media path was given) or the picker road, with the probe the start may have begun.
// Returns the exit status.
int runLauncher(int argc, char** argv, const QByteArray& appDir, ProbeAhead& ahead);
