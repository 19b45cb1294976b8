#include "MediaInfo.h"

#include "ShellQuote.h"

#include <QString>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Identify output is read in pieces of at most this many bytes, and a text value never holds
// more than one piece's worth.
constexpr int kPieceBytes = 80;

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

// Like scanning with "prefix%s" into a zeroed buffer of kPieceBytes: a failed scan gives an
// empty text.
QByteArray scanWord(const QByteArray& line, const char* prefix) {
    const char* value = valueAfter(line, prefix);
    if (!value)
        return QByteArray("");
    while (isScanSpace(*value))
        ++value;
    const char* end = value;
    while (*end && !isScanSpace(*end) && end - value < kPieceBytes - 1)
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

void trace(const QByteArray& command) {
    const QByteArray text = QString::fromLatin1(command).toUtf8();
    std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
    // The probe's own output must not overtake the trace.
    std::fflush(stdout);
}

} // namespace

MediaInfo::MediaInfo(const QByteArray& mediaPath, const QByteArray& probeProgram) {
    probe(mediaPath, probeProgram);
}

QByteArray MediaInfo::probeCommand(const QByteArray& mediaPath, const QByteArray& probeProgram) {
    return shellWord(probeProgram) + " -identify \"" + escapeForDoubleQuotes(mediaPath) +
           "\" -nosound -vc dummy -vo null";
}

void MediaInfo::probe(const QByteArray& mediaPath, const QByteArray& probeProgram) {
    const QByteArray command = probeCommand(mediaPath, probeProgram);
    trace(command);
    FILE* output = popen(command.constData(), "r");
    if (!output)
        return;
    char piece[kPieceBytes];
    while (std::fgets(piece, sizeof piece, output))
        parseLine(QByteArray(piece));
    pclose(output);
}

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
}
