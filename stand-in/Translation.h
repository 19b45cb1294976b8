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
// "-vc null -frames 0"; with no display and no "-vo", adds "-vo null". Outside identify runs:
// with a display and a video window, draws into that window; shows subtitles through libass
// in a guessed code page, in the installed Chinese font where the handset's font is named; and
// where "-subrotate" was given, draws subtitles and the on-screen display into the picture
// ahead of the "-vf" chain, so that they turn with it.
std::vector<std::string> translateArguments(const std::vector<std::string>& args,
                                            const StandInEnvironment& environment);
