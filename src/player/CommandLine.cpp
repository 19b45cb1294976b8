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

void appendPlain(CommandWords& words, std::span<const char* const> texts) {
    for (const char* text : texts)
        words << CommandWord{text};
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

CommandWords commandLineFor(const QByteArray& appDir, const QByteArray& mediaPath,
                            const MediaInfo& info, int rotation) {
    CommandWords words{{appDir + '/' + playerNameFor(info)}};
    appendPlain(words, kSlaveOptions);
    // The chain's own words: the filter list, and the option that follows a turned one.
    for (const QByteArray& word : filterChainFor(info.width(), info.height(), rotation).split(' '))
        words << CommandWord{word};
    appendPlain(words, kPlaybackOptions);
    words << CommandWord{appDir + Player::kMenuFileSuffix, true};
    words << CommandWord{"-font"} << CommandWord{Player::kFontPath};
    words << CommandWord{asFileArgument(mediaPath), true};
    return words;
}

CommandWords probeCommandFor(const QByteArray& mediaPath, const QByteArray& probeProgram) {
    CommandWords words{{probeProgram}, {"-identify"}, {asFileArgument(mediaPath), true}};
    appendPlain(words, kProbeOptions);
    return words;
}
