#pragma once

// Opens each of standard input, output and error that the program was started without on
// /dev/null. Otherwise the first files the program opens would take their numbers: the X
// connection would receive the traces, or a player the program's own input.
void openClosedStandardDescriptors();
