#include "AppDirectory.h"

#include <libgen.h>
#include <unistd.h>

std::optional<QByteArray> appDirectory(const char* exeLink) {
    char target[1024];
    const ssize_t length = readlink(exeLink, target, sizeof target);
    if (length < 0 || length >= ssize_t(sizeof target))
        return std::nullopt;
    target[length] = '\0';
    return QByteArray(dirname(target));
}
