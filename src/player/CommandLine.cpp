#include "CommandLine.h"

#include "FileArgument.h"
#include "MediaInfo.h"
#include "PlayerInterface.h"
#include "ShellQuote.h"

#include <utility>

namespace {

constexpr char kSlaveOptions[] = "-slave -quiet -nortc -osdlevel 3 -vf ";
constexpr char kPlaybackOptions[] = " -af channels=2,resample=44100:0:0,volume=-15 -autosync 0 "
                                    "-mc 0 -sws 0 -framedrop -idle -menu -menu-cfg \"";
constexpr char kPlaylistOption[] = "-playlist ";

constexpr int kScreenWidth = 240;
constexpr int kScreenHeight = 320;

// Only the last three bytes count, so "list.M3U" and "listm3u" are both playlists.
bool isPlaylist(const QByteArray& mediaPath) {
    const QByteArray ending = mediaPath.right(3).toLower();
    return ending == "m3u" || ending == "pls" || ending == "asx" || ending == "ram";
}

// MPlayer's filters that turn a picture stored with this clockwise rotation upright.
QByteArray uprightTurn(int rotation) {
    switch (rotation) {
    case 90:
        return "rotate=1,";
    case 180:
        return "flip,mirror,";
    case 270:
        return "rotate=2,";
    default:
        return {};
    }
}

QByteArray quoted(const QByteArray& text) {
    return '"' + escapeForDoubleQuotes(text) + '"';
}

} // namespace

QByteArray playerNameFor(const MediaInfo& info) {
    return info.demuxer().toLower().contains("real") ? Player::kRealMediaExecutable
                                                     : Player::kDefaultExecutable;
}

QByteArray filterChainFor(int width, int height, int rotation) {
    QByteArray chain = uprightTurn(rotation);
    if (rotation == 90 || rotation == 270)
        std::swap(width, height);
    // The probe hands over whatever integers the player printed; 64 bits keep the aspect test
    // free of overflow.
    qint64 vertical = height;
    qint64 horizontal = width;
    const bool rotated = height < width && width > kScreenWidth;
    if (rotated) {
        chain += "rotate=2,";
        std::swap(vertical, horizontal);
    }
    if (vertical < kScreenHeight || vertical * 3 != horizontal * 4)
        chain += "expand=240:320::::3/4,";
    if (vertical > kScreenHeight)
        chain += "scale=240:320,";
    chain += "crop=240:320";
    if (rotated)
        chain += " -subrotate 2";
    return chain;
}

QByteArray commandLineFor(const QByteArray& appDir, const QByteArray& mediaPath,
                          const MediaInfo& info, int rotation) {
    QByteArray command = shellWord(appDir + '/' + playerNameFor(info)) + ' ';
    command += kSlaveOptions;
    command += filterChainFor(info.width(), info.height(), rotation);
    command += kPlaybackOptions;
    command += escapeForDoubleQuotes(appDir) + Player::kMenuFileSuffix + "\" -font ";
    command += QByteArray(Player::kFontPath) + ' ';
    if (isPlaylist(mediaPath))
        command += kPlaylistOption;
    command += quoted(asFileArgument(mediaPath));
    return command;
}
