#include "Translation.h"

#include <algorithm>
#include <optional>

namespace {

// The handset's font, which a desktop does not have, and the installed font with the Chinese
// glyphs, by its fontconfig family name: given a file path, MPlayer's libass looks it up as a
// family, finds none and falls back to a font without them.
constexpr char kHandsetFont[] = "/usr/language/fonts/AMCSL.TTF";
constexpr char kDesktopFont[] = "WenQuanYi Micro Hei";

// MPlayer draws subtitles and its on-screen display over the picture once the filter chain is
// done with it, so over a turned picture they lie upright across its bottom. These filters,
// ahead of the chain, draw them into the picture instead (libass's subtitles, then the
// display through expand's osd flag), and the chain turns them with it.
constexpr char kDrawIntoPicture[] = "ass,expand=::::1,";

// Subtitles through libass, which draws Chinese glyphs where MPlayer's own renderer shows boxes,
// in the code page enca finds for a Chinese text (GBK, BIG5, UTF-8, ...), else UTF-8.
const std::vector<std::string> kSubtitleOptions{"-ass", "-subcp", "enca:zh:utf-8"};

bool contains(const std::vector<std::string>& args, const std::string& word) {
    return std::find(args.begin(), args.end(), word) != args.end();
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
        return std::vector<std::string>{"-vf", kDrawIntoPicture + value};
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
    if (environment.display.empty()) {
        if (!contains(args, "-vo"))
            prefix = {"-vo", "null"};
    } else if (!identify && !environment.videoWindowId.empty()) {
        prefix = {"-wid", environment.videoWindowId, "-vo", "x11", "-nomouseinput"};
    }
    if (!identify)
        prefix.insert(prefix.end(), kSubtitleOptions.begin(), kSubtitleOptions.end());
    std::vector<std::string> out = rewritten(args, {identify, contains(args, "-subrotate")});
    out.insert(out.begin(), prefix.begin(), prefix.end());
    return out;
}
