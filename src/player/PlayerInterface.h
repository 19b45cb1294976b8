#pragma once

#include <QByteArray>

// What the program hands to the player executables and what it sends them.
namespace Player {

inline constexpr char kDefaultExecutable[] = "mplayer";
inline constexpr char kRealMediaExecutable[] = "mplayerrm";
inline constexpr char kProbeExecutable[] = "mplayerrm";
inline constexpr char kMenuFileSuffix[] = "/.mplayer/menu.conf.in";
inline constexpr char kFontPath[] = "/usr/language/fonts/AMCSL.TTF";

inline constexpr char kPause[] = "pause\n";
inline constexpr char kSeekForward[] = "seek +30\n";
inline constexpr char kSeekBack[] = "seek -30\n";
inline constexpr char kSeekPercentFormat[] = "seek %d 1\n";
// The player's own keys '9', '0' and 'o'.
inline constexpr char kVolumeDown[] = "key_down_event 57\n";
inline constexpr char kVolumeUp[] = "key_down_event 48\n";
inline constexpr char kOnScreenDisplay[] = "key_down_event 111\n";
// Questions about the current clip that leave the player's pause as it is.
inline constexpr char kAskPath[] = "pausing_keep_force get_property path\n";
inline constexpr char kAskPosition[] = "pausing_keep_force get_time_pos\n";
inline constexpr char kAskLength[] = "pausing_keep_force get_time_length\n";

// Sent before a command that must leave a paused player paused: any plain command resumes it.
inline constexpr char kPausingKeepPrefix[] = "pausing_keep ";

// The command as a paused player must get it to stay paused; one that already chooses its
// pausing ("pausing_keep osd", "pausing_toggle ...") is left as it is.
inline QByteArray keepingPause(const QByteArray& command) {
    return command.startsWith("pausing") ? command : kPausingKeepPrefix + command;
}

} // namespace Player
