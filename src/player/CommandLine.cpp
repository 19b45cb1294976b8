#include "CommandLine.h"

#include "FileArgument.h"
#include "MediaInfo.h"
#include "PlayerInterface.h"

#include <span>
#include <utility>

namespace {

// The words between the executable and the filter chain, and between the chain and the menu
// file.
constexpr const char* kSlaveOptions[] = {"-slave", "-quiet", "-nortc", "-osdlevel", "3", "-vf"};
constexpr const char* kPlaybackOptions[] = {
    "-af",        "channels=2,resample=44100:0:0,volume=-15",
    "-autosync",  "0",
    "-mc",        "0",
    "-sws",       "0",
    "-framedrop", "-idle",
    "-menu",      "-menu-cfg"};
// Neither sound nor picture is decoded: only the clip's properties are wanted.
constexpr const char* kProbeOptions[] = {"-nosound", "-vc", "dummy", "-vo", "null"};

constexpr int kScreenWidth = 240;
constexpr int kScreenHeight = 320;

// Only the last three bytes count, so "list.M3U" and "listm3u" are both playlists.
bool isPlaylist(const QByteArray& mediaPath) {
    const QByteArray ending = mediaPath.right(3).toLower();
    return ending == "m3u" || ending == "pls" || ending == "asx" || ending == "ram";
}

void appendPlain(CommandWords& words, std::span<const char* const> texts) {
    for (const char* text : texts)
        words << CommandWord{text};
}

} // namespace

QByteArray playerNameFor(const MediaInfo& info) {
    return info.demuxer().toLower().contains("real") ? Player::kRealMediaExecutable
                                                     : Player::kDefaultExecutable;
}

QByteArray filterChainFor(int width, int height) {
    // The probe hands over whatever integers the player printed; 64 bits keep the aspect test
    // free of overflow.
    qint64 vertical = height;
    qint64 horizontal = width;
    const bool rotated = height < width && width > kScreenWidth;
    QByteArray chain;
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

CommandWords commandLineFor(const QByteArray& appDir, const QByteArray& mediaPath,
                            const MediaInfo& info) {
    CommandWords words{{appDir + '/' + playerNameFor(info)}};
    appendPlain(words, kSlaveOptions);
    // The chain's own words: the filter list, and the option that follows a turned one.
    for (const QByteArray& word : filterChainFor(info.width(), info.height()).split(' '))
        words << CommandWord{word};
    appendPlain(words, kPlaybackOptions);
    words << CommandWord{appDir + Player::kMenuFileSuffix, true};
    words << CommandWord{"-font"} << CommandWord{Player::kFontPath};
    if (isPlaylist(mediaPath))
        words << CommandWord{"-playlist"};
    words << CommandWord{asFileArgument(mediaPath), true};
    return words;
}

CommandWords probeCommandFor(const QByteArray& mediaPath, const QByteArray& probeProgram) {
    CommandWords words{{probeProgram}, {"-identify"}, {asFileArgument(mediaPath), true}};
    appendPlain(words, kProbeOptions);
    return words;
}
