#pragma once

// The emulator's own options, taken out of the argument vector (argc lowered to match) the way
// Qt takes out its own:
//   -bare        top-level handset windows show the bare 240x320 screen, without the handset
//                drawn around it
//   -card DIR    the memory card is the directory DIR
// Taking stops at "--", so that a file may carry one of these names.
namespace EmulatorOptions {

void take(int& argc, char** argv);
// Whether -bare was taken.
bool bare();

} // namespace EmulatorOptions
