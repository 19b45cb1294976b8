#include "AppDirectory.h"

#include <libgen.h>
#include <unistd.h>

namespace {

// A link's target is at most a page on Linux; the bound only keeps a strange file system from
// growing the buffer for ever.
constexpr size_t kLongestTarget = 1 << 20;

} // namespace

std::optional<std::string> appDirectory(const char* exeLink) {
    std::string target(1024, '\0');
    for (;;) {
        const ssize_t length = readlink(exeLink, target.data(), target.size());
        if (length < 0)
            return std::nullopt;
        // A target that fills the buffer may have been cut; only a shorter one is whole.
        if (size_t(length) < target.size()) {
            target.resize(size_t(length));
            return std::string(dirname(target.data()));
        }
        if (target.size() >= kLongestTarget)
            return std::nullopt;
        target.resize(target.size() * 2);
    }
}
