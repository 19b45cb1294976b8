#pragma once

#include <string>
#include <vector>

// What the stand-in knows of its surroundings.
struct StandInEnvironment {
    std::string display;       // $DISPLAY
    std::string videoWindowId; // $VIDLARK_WID: the native window the picture goes into
    std::string mediaHead;     // the first bytes of the clip (see TransportStream.h)
};

// Rewrites the handset's MPlayer arguments (without the program name) for Debian's MPlayer:
// drops the handset-only "-subrotate N"; in an identify run turns "-vc dummy" into
// "-vc null -frames 0"; with no display and no "-vo", adds "-vo null"; reads a transport stream
// with libavformat unless a demuxer is named. Outside identify runs: with a display and a video
// window, draws into that window; shows subtitles through libass in a guessed code page, white
// and outlined, in the installed Chinese font where the handset's font is named; falls back to
// the null audio output unless "-ao" is given; and where "-subrotate" was given, fits the
// picture to the screen before the chain's last "rotate=2" and draws subtitles and the
// on-screen display into it there, so that they turn with it at the screen's size.
std::vector<std::string> translateArguments(const std::vector<std::string>& args,
                                            const StandInEnvironment& environment);

// The clip the arguments name: the word after "-identify" in an identify run, else the last.
std::string mediaArgument(const std::vector<std::string>& args);
