#pragma once

#include <string>
#include <vector>

// What the stand-in knows of its surroundings.
struct StandInEnvironment {
    std::string display;       // $DISPLAY
    std::string videoWindowId; // $VIDLARK_WID: the native window the picture goes into
};

// Rewrites the handset's MPlayer arguments (without the program name) for Debian's MPlayer:
// drops the handset-only "-subrotate N"; in an identify run turns "-vc dummy" into
// "-vc null -frames 0"; outside identify runs, with a display and a video window, draws into
// that window; with no display and no "-vo", adds "-vo null".
std::vector<std::string> translateArguments(const std::vector<std::string>& args,
                                            const StandInEnvironment& environment);
