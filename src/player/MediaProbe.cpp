#include "MediaProbe.h"

#include "FileArgument.h"
#include "ShellQuote.h"

#include <QString>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

// A pipe's whole capacity per wake-up: a player that floods its output still has the limit
// looked at.
constexpr int kReadChunk = 4096;
constexpr int kChunksPerWake = 16;

} // namespace

MediaProbe::MediaProbe(const QByteArray& mediaPath, const QByteArray& probeProgram)
    : mediaPath_(mediaPath), command_(command(mediaPath, probeProgram)),
      deadline_(kLimitMs, Qt::PreciseTimer) {
    // The run reads nothing from the user's terminal.
    const int input = open("/dev/null", O_RDONLY | O_CLOEXEC);
    int ends[2];
    if (input < 0 || pipe2(ends, O_CLOEXEC) != 0) {
        if (input >= 0)
            close(input);
        return;
    }
    // "exec ": the player itself is the guarded child, with no shell left above it.
    child_ = startGuardedChild(("exec " + command_).constData(), input, ends[1]);
    close(input);
    close(ends[1]);
    if (child_.pid < 0) {
        close(ends[0]);
        return;
    }
    output_ = ends[0];
    fcntl(output_, F_SETFL, O_NONBLOCK);
}

MediaProbe::~MediaProbe() {
    endGuardedChild(child_);
    if (output_ >= 0)
        close(output_);
}

QByteArray MediaProbe::command(const QByteArray& mediaPath, const QByteArray& probeProgram) {
    return shellWord(probeProgram) + " -identify \"" +
           escapeForDoubleQuotes(asFileArgument(mediaPath)) + "\" -nosound -vc dummy -vo null";
}

void MediaProbe::traceCommand() const {
    const QByteArray text = QString::fromLatin1(command_).toUtf8();
    std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
    std::fflush(stdout);
}

bool MediaProbe::wait(int interruption) {
    // What the run wrote while nobody waited counts, even when its time is up by now.
    readAvailable();
    while (!isOver()) {
        if (deadline_.hasExpired()) {
            finish(false);
            break;
        }
        pollfd watched[] = {{output_, POLLIN, 0}, {interruption, POLLIN, 0}};
        poll(watched, 2, int(deadline_.remainingTime()));
        if (watched[1].revents != 0)
            return false;
        readAvailable();
    }
    return true;
}

void MediaProbe::readAvailable() {
    char chunk[kReadChunk];
    for (int i = 0; i < kChunksPerWake && output_ >= 0; ++i) {
        const ssize_t length = read(output_, chunk, sizeof chunk);
        if (length > 0) {
            pending_.append(chunk, length);
            if (applyPieces(false))
                finish(true);
        } else if (length == 0) {
            applyPieces(true);
            finish(true);
        } else if (errno != EINTR) {
            return;
        }
    }
}

// The output is cut as fgets into a buffer of MediaInfo::kPieceBytes would cut it: a piece ends
// after a newline or where the buffer is full, and a NUL byte ends its text. True once the run's
// last line, "ID_EXIT=...", has come.
bool MediaProbe::applyPieces(bool atEnd) {
    const qsizetype longest = MediaInfo::kPieceBytes - 1;
    qsizetype start = 0;
    for (;;) {
        const qsizetype rest = pending_.size() - start;
        const qsizetype newline = pending_.indexOf('\n', start);
        qsizetype length = 0;
        if (newline >= 0 && newline - start < longest)
            length = newline - start + 1;
        else if (rest >= longest || (atEnd && rest > 0))
            length = qMin(rest, longest);
        else
            break;
        const char* piece = pending_.constData() + start;
        const QByteArray line(piece, qsizetype(qstrnlen(piece, size_t(length))));
        info_.parseLine(line);
        start += length;
        if (line.startsWith("ID_EXIT=")) {
            pending_.clear();
            return true;
        }
    }
    pending_.remove(0, start);
    return false;
}

// A run given up has the result of a failed probe, whatever it printed so far. One that ended
// has said all it will: neither the 2-10 ms the player takes to tidy up and exit after its last
// line, nor the 3-4 ms the kernel takes to tear a killed one down, are waited for, since playback
// would start that much later. The run is reaped when the probe goes.
void MediaProbe::finish(bool ended) {
    if (!ended)
        info_ = MediaInfo();
    killGuardedGroup(child_);
    close(output_);
    output_ = -1;
}
