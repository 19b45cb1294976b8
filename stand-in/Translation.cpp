#include "Translation.h"

#include <algorithm>

namespace {

bool contains(const std::vector<std::string>& args, const std::string& word) {
    return std::find(args.begin(), args.end(), word) != args.end();
}

std::vector<std::string> rewritten(const std::vector<std::string>& args, bool identify) {
    std::vector<std::string> out;
    for (size_t i = 0; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        if (args[i] == "-subrotate" && hasValue) {
            ++i;
        } else if (identify && args[i] == "-vc" && hasValue && args[i + 1] == "dummy") {
            out.insert(out.end(), {"-vc", "null", "-frames", "0"});
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
    std::vector<std::string> out = rewritten(args, identify);
    out.insert(out.begin(), prefix.begin(), prefix.end());
    return out;
}
