#include "KeyBindings.h"

#include "KeyLineParser.h"
#include "PlayerInterface.h"
#include "PlayerSession.h"
#include "Trace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

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
        Trace::bare("\n" + lines.bindings[i] + '=' + lines.bindings[i + 1] + '\n');
    keyBindings = lines.bindings;
    if (lines.consumed < bytes.size())
        Trace::bare("\nkeyline: reading stopped after " + QByteArray::number(lines.pieces) +
                    " lines, at byte " + QByteArray::number(lines.consumed) + "\n");
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
