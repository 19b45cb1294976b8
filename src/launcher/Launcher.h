#pragma once

#include <QByteArray>

// Start-up: writes its trace, creates the application object, finds the program directory and
// takes the direct road (a media path was given) or the picker road. Returns the exit status.
int runLauncher(int argc, char** argv);

// The media path among the words left after the platform's options: word 2, or word 1 when it
// is the only word after the program name.
QByteArray mediaPathArgument(int argc, char** argv);
