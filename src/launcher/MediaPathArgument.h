#pragma once

#include <QByteArray>

// The media path among the words left after the platform's options: word 2, or word 1 when it
// is the only word after the program name; empty with no word.
QByteArray mediaPathArgument(int argc, char** argv);
