#pragma once

// "--help" and "--version" anywhere in the words print usage (with the key table) or the
// version, and nothing else, and end the process with status 0. Needs no display, so it is
// called before anything else is written or started.
void answerInformationOptions(int argc, char** argv);
