#include "Translation.h"
#include "TransportStream.h"

#include <algorithm>
#include <map>
#include <optional>

namespace {

// The handset's font, which a desktop does not have, and the installed font with the Chinese
// glyphs, by its fontconfig family name: given a file path, MPlayer's libass looks it up as a
// family, finds none and falls back to a font without them.
constexpr char kHandsetFont[] = "/usr/language/fonts/AMCSL.TTF";
constexpr char kDesktopFont[] = "WenQuanYi Micro Hei";

// MPlayer draws subtitles and its on-screen display over the picture once the filter chain is
// done with it, so over a turned picture they lie upright across its bottom. These filters draw
// them into the picture instead (libass's subtitles, then the display through expand's osd
// flag), so that the turn that follows takes them with it.
constexpr char kDrawIntoPicture[] = "ass,expand=::::1";
// The turn that lays a landscape picture on the portrait screen.
constexpr char kScreenTurn[] = "rotate=2";

// The filters that fit a turned picture to the screen, as they act before the turn. Drawn into
// the picture at its own size, text would shrink with it (a 1080p subtitle ended up 5 px high),
// so the picture is fitted to the screen first and the text drawn at the screen's size.
const std::map<std::string, std::string> kFitBeforeTurn{
    {"expand=240:320::::3/4", "expand=320:240::::4/3"},
    {"scale=240:320", "scale=320:240"},
    {"crop=240:320", "crop=320:240"}};

// Subtitles through libass, which draws Chinese glyphs where MPlayer's own renderer shows boxes,
// in the code page enca finds for a Chinese text (GBK, BIG5, UTF-8, ...), else UTF-8.
const std::vector<std::string> kSubtitleOptions{"-ass", "-subcp", "enca:zh:utf-8"};
// White with a black outline, as the handset draws them, and large enough that capitals stand
// 11 px high on the screen.
const std::vector<std::string> kSubtitleLook{"-ass-color", "FFFFFF00",        "-ass-border-color",
                                             "00000000",   "-ass-font-scale", "1.4"};

// Where no sound device answers, MPlayer with its default outputs neither plays nor fails: an
// audio clip sits idle. The null output keeps the clock going.
const std::vector<std::string> kAudioOutputs{"-ao", "pulse,alsa,null"};

// MPlayer's own transport stream reader gets frame rate, size and length wrong (50 fps for 25,
// 640x368 for 640x360, no length), and the video runs ahead of the sound; libavformat's does not.
const std::vector<std::string> kTransportStreamReader{"-demuxer", "lavf"};

void append(std::vector<std::string>& words, const std::vector<std::string>& more) {
    words.insert(words.end(), more.begin(), more.end());
}

bool contains(const std::vector<std::string>& args, const std::string& word) {
    return std::find(args.begin(), args.end(), word) != args.end();
}

std::vector<std::string> split(const std::string& chain) {
    std::vector<std::string> filters;
    for (std::size_t start = 0;;) {
        const std::size_t end = chain.find(',', start);
        filters.push_back(chain.substr(start, end - start));
        if (end == std::string::npos)
            return filters;
        start = end + 1;
    }
}

std::string joined(const std::vector<std::string>& filters) {
    std::string chain;
    for (const std::string& filter : filters)
        chain += (chain.empty() ? "" : ",") + filter;
    return chain;
}

// A chain that turns the picture for the screen, with subtitles and the display drawn into the
// picture at the screen's size just before the turn. What comes before the turn (a stored
// rotation being undone) stays first; a fit it does not know makes it draw ahead of everything.
std::string drawnBeforeTurn(const std::string& chain) {
    std::vector<std::string> filters = split(chain);
    const auto turn = std::find(filters.rbegin(), filters.rend(), kScreenTurn);
    if (turn == filters.rend())
        return kDrawIntoPicture + (',' + chain);
    const auto turnAt = turn.base() - 1;
    std::vector<std::string> out(filters.begin(), turnAt);
    for (auto fit = turnAt + 1; fit != filters.end(); ++fit) {
        const auto before = kFitBeforeTurn.find(*fit);
        if (before == kFitBeforeTurn.end())
            return kDrawIntoPicture + (',' + chain);
        out.push_back(before->second);
    }
    out.push_back(kDrawIntoPicture);
    out.push_back(kScreenTurn);
    return joined(out);
}

struct Run {
    bool identify = false;
    bool turned = false; // the handset asked for subtitles turned with the picture
};

// The words an option and its value become; none when they stay as they are.
std::optional<std::vector<std::string>> translatedOption(const std::string& option,
                                                         const std::string& value, Run run) {
    if (option == "-subrotate")
        return std::vector<std::string>{};
    if (run.identify)
        return option == "-vc" && value == "dummy"
                   ? std::optional(std::vector<std::string>{"-vc", "null", "-frames", "0"})
                   : std::nullopt;
    if (option == "-font" && value == kHandsetFont)
        return std::vector<std::string>{"-font", kDesktopFont, "-fontconfig"};
    if (option == "-vf" && run.turned)
        return std::vector<std::string>{"-vf", drawnBeforeTurn(value)};
    return std::nullopt;
}

std::vector<std::string> rewritten(const std::vector<std::string>& args, Run run) {
    std::vector<std::string> out;
    for (size_t i = 0; i < args.size(); ++i) {
        const auto translated =
            i + 1 < args.size() ? translatedOption(args[i], args[i + 1], run) : std::nullopt;
        if (translated) {
            out.insert(out.end(), translated->begin(), translated->end());
            ++i;
        } else {
            out.push_back(args[i]);
        }
    }
    return out;
}

} // namespace

std::vector<std::string> translateArguments(const std::vector<std::string>& args,
                                            const StandInEnvironment& environment) {
    const bool identify = contains(args, "-identify");
    std::vector<std::string> prefix;
    if (isTransportStream(environment.mediaHead) && !contains(args, "-demuxer"))
        prefix = kTransportStreamReader;
    if (environment.display.empty()) {
        if (!contains(args, "-vo"))
            append(prefix, {"-vo", "null"});
    } else if (!identify && !environment.videoWindowId.empty()) {
        append(prefix, {"-wid", environment.videoWindowId, "-vo", "x11", "-nomouseinput"});
    }
    if (!identify) {
        append(prefix, kSubtitleOptions);
        append(prefix, kSubtitleLook);
        if (!contains(args, "-ao"))
            append(prefix, kAudioOutputs);
    }
    std::vector<std::string> out = rewritten(args, {identify, contains(args, "-subrotate")});
    out.insert(out.begin(), prefix.begin(), prefix.end());
    return out;
}

std::string mediaArgument(const std::vector<std::string>& args) {
    const auto identify = std::find(args.begin(), args.end(), "-identify");
    if (identify != args.end())
        return identify + 1 != args.end() ? *(identify + 1) : std::string();
    return args.empty() ? std::string() : args.back();
}
