#pragma once

// Takes the first word "--", which ends the options, out of the words left after the platform's
// options (argc lowered to match): it is no file name.
void takeEndOfOptions(int& argc, char** argv);

// The media path among the words left after the platform's options: word 2, or word 1 when it
// is the only word after the program name; null with no word.
const char* mediaPathArgument(int argc, char** argv);
