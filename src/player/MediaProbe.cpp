#include "MediaProbe.h"

#include <QString>
#include <cerrno>
#include <cstdio>
#include <poll.h>
#include <unistd.h>

namespace {

// A pipe's whole capacity per wake-up: a player that floods its output still has the limit
// looked at.
constexpr int kReadChunk = 4096;
constexpr int kChunksPerWake = 16;

} // namespace

MediaProbe::MediaProbe(const QByteArray& mediaPath, const QByteArray& probeProgram)
    : mediaPath_(mediaPath), command_(probeCommand(mediaPath, probeProgram)),
      run_(startProbeRun(command_.constData())) {}

MediaProbe::MediaProbe(const QByteArray& mediaPath, const QByteArray& command, const ProbeRun& run)
    : mediaPath_(mediaPath), command_(command), run_(run) {}

MediaProbe::~MediaProbe() {
    endGuardedChild(run_.child);
    if (run_.output >= 0)
        close(run_.output);
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
        pollfd watched[] = {{run_.output, POLLIN, 0}, {interruption, POLLIN, 0}};
        poll(watched, 2, int(deadline_.remainingTime()));
        if (watched[1].revents != 0)
            return false;
        readAvailable();
    }
    return true;
}

void MediaProbe::readAvailable() {
    char chunk[kReadChunk];
    for (int i = 0; i < kChunksPerWake && run_.output >= 0; ++i) {
        const ssize_t length = read(run_.output, chunk, sizeof chunk);
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
    killGuardedGroup(run_.child);
    close(run_.output);
    run_.output = -1;
}
