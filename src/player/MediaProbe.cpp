#include "MediaProbe.h"

#include "CommandLine.h"
#include "Trace.h"

#include <QString>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

// A pipe's whole capacity per wake-up: a player that floods its output still has the limit
// looked at.
constexpr int kReadChunk = 4096;
constexpr int kChunksPerWake = 16;

} // namespace

// The run reads nothing from the user's terminal.
MediaProbe::MediaProbe(const QByteArray& mediaPath, const QByteArray& probeProgram)
    : mediaPath_(mediaPath), command_(probeCommandFor(mediaPath, probeProgram)),
      deadline_(kLimitMs, Qt::PreciseTimer) {
    const int input = open("/dev/null", O_RDONLY | O_CLOEXEC);
    int ends[2];
    if (input >= 0 && pipe2(ends, O_CLOEXEC) == 0) {
        if (child_.start(argumentsOf(command_), input, ends[1]))
            output_ = ends[0];
        else
            close(ends[0]);
        close(ends[1]);
    }
    if (input >= 0)
        close(input);
    if (output_ >= 0)
        fcntl(output_, F_SETFL, O_NONBLOCK);
}

MediaProbe::~MediaProbe() {
    if (output_ >= 0)
        close(output_);
}

void MediaProbe::traceCommand() const {
    Trace::bare(QString::fromLatin1(commandText(command_)).toUtf8());
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

int MediaProbe::keepWithinLimit() {
    readAvailable();
    if (!isOver() && deadline_.hasExpired())
        finish(false);
    return isOver() ? -1 : int(deadline_.remainingTime());
}

MediaInfo MediaProbe::info() const {
    return isOver() && !givenUp_ ? identify_.info() : MediaInfo();
}

void MediaProbe::readAvailable() {
    char chunk[kReadChunk];
    for (int i = 0; i < kChunksPerWake && !isOver(); ++i) {
        const ssize_t length = read(output_, chunk, sizeof chunk);
        if (length > 0 && identify_.feed(QByteArray(chunk, length))) {
            finish(true);
        } else if (length == 0) {
            identify_.finish();
            finish(true);
        } else if (length < 0 && errno != EINTR) {
            return;
        }
    }
}

// One that ended has said all it will: neither the 2-10 ms the player takes to tidy up and exit
// after its last line, nor the 3-4 ms the kernel takes to tear a killed one down, are waited
// for, since playback would start that much later. The run is reaped when the probe goes.
void MediaProbe::finish(bool ended) {
    givenUp_ = !ended;
    child_.kill();
    close(output_);
    output_ = -1;
}
