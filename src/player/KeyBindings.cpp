#include "KeyBindings.h"

#include "PlayerInterface.h"
#include "PlayerSession.h"
#include "Trace.h"

#include <cctype>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// fgets into this buffer reads a line in pieces of at most 255 bytes.
constexpr int kPieceBuffer = 256;
constexpr int kMaxCommand = 255;
// A keypad has a few dozen keys; the cap keeps a huge or endless file from holding up start-up
// or filling memory.
constexpr int kMaxPieces = 1024;

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

// Only a regular file: opening a FIFO would wait for a writer, and a device may never end.
FILE* openRegularFile(const QByteArray& path) {
    const int fd = open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat status {};
    FILE* file = fstat(fd, &status) == 0 && S_ISREG(status.st_mode) ? fdopen(fd, "r") : nullptr;
    if (!file)
        close(fd);
    return file;
}

// Only when the file goes on past the cap.
void traceWhereReadingStopped(FILE* file, int pieces) {
    const qint64 offset = ftello(file);
    if (pieces < kMaxPieces || std::fgetc(file) == EOF)
        return;
    Trace::bare("\nkeyline: reading stopped after " + QByteArray::number(pieces) +
                " lines, at byte " + QByteArray::number(offset) + "\n");
}

} // namespace

void loadKeyBindings(const QByteArray& appDir, QByteArrayList& keyBindings) {
    keyBindings.clear();
    FILE* file = openRegularFile(appDir + "/keyline");
    if (!file)
        return;
    // A line that fails to parse keeps what the previous line set; before the first complete
    // line there is nothing to keep, so such lines are skipped.
    int key = 0;
    QByteArray command;
    bool haveBinding = false;
    char piece[kPieceBuffer];
    int pieces = 0;
    for (; pieces < kMaxPieces && std::fgets(piece, sizeof piece, file); ++pieces) {
        const ParsedLine parsed = parseLine(piece);
        if (parsed.key)
            key = *parsed.key;
        if (parsed.command)
            command = *parsed.command;
        haveBinding = haveBinding || (parsed.key && parsed.command);
        if (!haveBinding)
            continue;
        Trace::bare("\n" + QByteArray::number(key) + '=' + command + '\n');
        keyBindings << QByteArray::number(key) << command;
    }
    traceWhereReadingStopped(file, pieces);
    std::fclose(file);
}

int runKeyBinding(const QByteArrayList& keyBindings, int key, bool paused, PlayerSession& player) {
    const QByteArray keyText = QByteArray::number(key);
    Trace::bare("\npress " + keyText);
    const int index = keyBindings.indexOf(keyText);
    if (index < 0)
        return -1;
    QByteArray command = keyBindings.value(index + 1) + '\n';
    if (paused)
        command = Player::keepingPause(command);
    Trace::bare("\ndo " + command);
    player.send(command);
    return index;
}
