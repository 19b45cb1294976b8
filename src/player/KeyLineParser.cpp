#include "KeyLineParser.h"

#include <cctype>
#include <climits>
#include <optional>

namespace {

constexpr int kMaxCommand = 255;

// What "%d=%[^\n]" takes from one piece: the key code when the number matched, the command when
// the "=" and at least one byte before the line feed followed it as well.
struct ParsedLine {
    std::optional<int> key;
    std::optional<QByteArray> command;
};

// "%d" without sscanf's undefined behaviour on overflow: a number outside int is no match.
std::optional<int> scanNumber(const char*& cursor) {
    const char* p = cursor;
    while (std::isspace(static_cast<unsigned char>(*p)))
        ++p;
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    if (!std::isdigit(static_cast<unsigned char>(*p)))
        return std::nullopt;
    qint64 magnitude = 0;
    for (; std::isdigit(static_cast<unsigned char>(*p)); ++p) {
        magnitude = magnitude * 10 + (*p - '0');
        if (magnitude > qint64(INT_MAX) + 1)
            return std::nullopt;
    }
    const qint64 value = negative ? -magnitude : magnitude;
    if (value > INT_MAX)
        return std::nullopt;
    cursor = p;
    return int(value);
}

// The piece is NUL-terminated, as the C library's line reading leaves it.
ParsedLine parseLine(const char* piece) {
    ParsedLine parsed;
    const char* cursor = piece;
    parsed.key = scanNumber(cursor);
    if (!parsed.key || *cursor != '=')
        return parsed;
    ++cursor;
    int length = 0;
    while (length < kMaxCommand && cursor[length] != '\0' && cursor[length] != '\n')
        ++length;
    if (length > 0)
        parsed.command = QByteArray(cursor, length);
    return parsed;
}

// The next piece: up to and with the line feed, at most kMaxPiece bytes.
QByteArrayView nextPiece(QByteArrayView rest) {
    const QByteArrayView head = rest.first(std::min<qsizetype>(rest.size(), KeyLines::kMaxPiece));
    const qsizetype lineFeed = head.indexOf('\n');
    return lineFeed < 0 ? head : head.first(lineFeed + 1);
}

} // namespace

KeyLines parseKeyLines(QByteArrayView bytes) {
    KeyLines lines;
    // A line that fails to parse keeps what the previous line set; before the first complete
    // line there is nothing to keep, so such lines are skipped.
    int key = 0;
    QByteArray command;
    bool haveBinding = false;
    while (lines.pieces < KeyLines::kMaxPieces && lines.consumed < bytes.size()) {
        const QByteArrayView piece = nextPiece(bytes.sliced(lines.consumed));
        lines.consumed += piece.size();
        ++lines.pieces;
        const ParsedLine parsed = parseLine(piece.toByteArray().constData());
        if (parsed.key)
            key = *parsed.key;
        if (parsed.command)
            command = *parsed.command;
        haveBinding = haveBinding || (parsed.key && parsed.command);
        if (haveBinding)
            lines.bindings << QByteArray::number(key) << command;
    }
    return lines;
}
