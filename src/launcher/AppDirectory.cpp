#include "AppDirectory.h"

#include <libgen.h>
#include <unistd.h>

namespace {

// A link's target is at most a page on Linux; the bound only keeps a strange file system from
// growing the buffer for ever.
constexpr qsizetype kLongestTarget = 1 << 20;

} // namespace

std::optional<QByteArray> appDirectory(const char* exeLink) {
    QByteArray target(1024, Qt::Uninitialized);
    for (;;) {
        const ssize_t length = readlink(exeLink, target.data(), size_t(target.size()));
        if (length < 0)
            return std::nullopt;
        // A target that fills the buffer may have been cut; only a shorter one is whole.
        if (length < target.size()) {
            target.truncate(length);
            return QByteArray(dirname(target.data()));
        }
        if (target.size() >= kLongestTarget)
            return std::nullopt;
        target.resize(target.size() * 2);
    }
}
