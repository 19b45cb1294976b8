#include "KeyBindings.h"

#include "PlayerSession.h"

#include <cctype>
#include <climits>
#include <cstdio>
#include <optional>

namespace {

// fgets into this buffer reads a line in pieces of at most 255 bytes.
constexpr int kPieceBuffer = 256;
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

void traceBinding(int key, const QByteArray& command) {
    const QByteArray trace = "\n" + QByteArray::number(key) + '=' + command + '\n';
    std::fwrite(trace.constData(), 1, trace.size(), stdout);
}

void traceBare(const QByteArray& text) {
    std::fwrite(text.constData(), 1, text.size(), stdout);
}

} // namespace

void loadKeyBindings(const QByteArray& appDir, QByteArrayList& keyBindings) {
    keyBindings.clear();
    FILE* file = std::fopen((appDir + "/keyline").constData(), "r");
    if (!file)
        return;
    // A line that fails to parse keeps what the previous line set; before the first complete
    // line there is nothing to keep, so such lines are skipped.
    int key = 0;
    QByteArray command;
    bool haveBinding = false;
    char piece[kPieceBuffer];
    while (std::fgets(piece, sizeof piece, file)) {
        const ParsedLine parsed = parseLine(piece);
        if (parsed.key)
            key = *parsed.key;
        if (parsed.command)
            command = *parsed.command;
        haveBinding = haveBinding || (parsed.key && parsed.command);
        if (!haveBinding)
            continue;
        traceBinding(key, command);
        keyBindings << QByteArray::number(key) << command;
    }
    std::fclose(file);
}

int runKeyBinding(const QByteArrayList& keyBindings, int key, PlayerSession& player) {
    const QByteArray keyText = QByteArray::number(key);
    traceBare("\npress " + keyText);
    const int index = keyBindings.indexOf(keyText);
    if (index < 0)
        return -1;
    const QByteArray command = keyBindings.value(index + 1) + '\n';
    traceBare("\ndo " + command);
    player.send(command);
    return index;
}
