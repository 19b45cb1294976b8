#pragma once

// Start-up: writes its trace, creates the application object, finds the program directory and
// takes the direct road (a media path was given) or the picker road. Returns the exit status.
int runLauncher(int argc, char** argv);
