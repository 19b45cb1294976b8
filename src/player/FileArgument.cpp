#include "FileArgument.h"

QByteArray asFileArgument(const QByteArray& mediaPath) {
    return mediaPath.startsWith('-') ? "./" + mediaPath : mediaPath;
}
