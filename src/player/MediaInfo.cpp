#include "MediaInfo.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

bool isScanSpace(char c) {
    return c != '\0' && std::strchr(" \t\n\v\f\r", c) != nullptr;
}

// The value after prefix, anchored at the start of the line; null when the line does not begin
// with prefix.
const char* valueAfter(const QByteArray& line, const char* prefix) {
    const size_t length = std::strlen(prefix);
    const char* text = line.constData();
    return std::strncmp(text, prefix, length) == 0 ? text + length : nullptr;
}

// Like scanning with "prefix%s" into a zeroed buffer of MediaInfo::kPieceBytes: a failed scan gives
// an empty text.
QByteArray scanWord(const QByteArray& line, const char* prefix) {
    const char* value = valueAfter(line, prefix);
    if (!value)
        return QByteArray("");
    while (isScanSpace(*value))
        ++value;
    const char* end = value;
    while (*end && !isScanSpace(*end) && end - value < MediaInfo::kPieceBytes - 1)
        ++end;
    return QByteArray(value, end - value);
}

// Like scanning with "prefix%d", except that a number outside the int range fails too; a
// failed scan leaves number as it was.
void scanNumber(const QByteArray& line, const char* prefix, int& number) {
    const char* value = valueAfter(line, prefix);
    if (!value)
        return;
    char* end = nullptr;
    errno = 0;
    const long long scanned = std::strtoll(value, &end, 10);
    if (end == value || errno == ERANGE || scanned < INT_MIN || scanned > INT_MAX)
        return;
    number = int(scanned);
}

} // namespace

void MediaInfo::parseLine(const QByteArray& line) {
    if (line.contains("ID_DEMUXER"))
        demuxer_ = scanWord(line, "ID_DEMUXER=");
    else if (line.contains("ID_VIDEO_BITRATE"))
        scanNumber(line, "ID_VIDEO_BITRATE=", bitrate_);
    else if (line.contains("ID_VIDEO_WIDTH"))
        scanNumber(line, "ID_VIDEO_WIDTH=", width_);
    else if (line.contains("ID_VIDEO_HEIGHT"))
        scanNumber(line, "ID_VIDEO_HEIGHT=", height_);
    else if (line.contains("ID_LENGTH"))
        length_ = scanWord(line, "ID_LENGTH=");
    else if (line.contains("ID_VIDEO_FPS"))
        fps_ = scanWord(line, "ID_VIDEO_FPS=");
    else if (line.startsWith("ID_VIDEO_ID="))
        hasVideo_ = true;
    else if (line.startsWith("ID_AUDIO_ID="))
        hasAudio_ = true;
}
