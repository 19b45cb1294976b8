#include "KeyBindings.h"

#include "KeyLineParser.h"
#include "PlayerSession.h"

#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void traceBinding(const QByteArray& key, const QByteArray& command) {
    const QByteArray trace = "\n" + key + '=' + command + '\n';
    std::fwrite(trace.constData(), 1, trace.size(), stdout);
}

void traceBare(const QByteArray& text) {
    std::fwrite(text.constData(), 1, text.size(), stdout);
}

// Only a regular file: opening a FIFO would wait for a writer, and a device may never end.
int openRegularFile(const QByteArray& path) {
    const int fd = open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat status {};
    if (fd >= 0 && (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode))) {
        close(fd);
        return -1;
    }
    return fd;
}

// As much as the pieces can take, and one byte more to tell whether the file goes on past them.
QByteArray readHead(int fd) {
    QByteArray bytes(qsizetype(KeyLines::kMaxPieces) * KeyLines::kMaxPiece + 1, Qt::Uninitialized);
    qsizetype size = 0;
    while (size < bytes.size()) {
        const ssize_t got = read(fd, bytes.data() + size, size_t(bytes.size() - size));
        if (got <= 0)
            break;
        size += got;
    }
    bytes.truncate(size);
    return bytes;
}

} // namespace

void loadKeyBindings(const QByteArray& appDir, QByteArrayList& keyBindings) {
    keyBindings.clear();
    const int fd = openRegularFile(appDir + "/keyline");
    if (fd < 0)
        return;
    const QByteArray bytes = readHead(fd);
    close(fd);
    const KeyLines lines = parseKeyLines(bytes);
    for (qsizetype i = 0; i + 1 < lines.bindings.size(); i += 2)
        traceBinding(lines.bindings[i], lines.bindings[i + 1]);
    keyBindings = lines.bindings;
    if (lines.consumed < bytes.size())
        traceBare("\nkeyline: reading stopped after " + QByteArray::number(lines.pieces) +
                  " lines, at byte " + QByteArray::number(lines.consumed) + "\n");
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
