#pragma once

#include "ChildProcess.h"
#include "CommandWords.h"
#include "IdentifyOutput.h"

#include <QByteArray>
#include <QDeadlineTimer>

// One identify run of the player on a clip. It starts at once, needs no application object, and
// runs beside whatever the program does meanwhile; its output is read when the result is
// awaited. The run is bounded: after kLimitMs from its start it is given up, its whole process
// group is killed, and the result is that of a failed probe. Like every child it dies with the
// program, however the program ends.
class MediaProbe {
public:
    // Measured with Debian's MPlayer: an identify run reads a clip's header and index, 28 KB for
    // a 10 s AVI but 3.7 MB for a 400 MB, one-hour one (2.4 MB as MP4). On a 1 MB/s medium that
    // takes 4.0 s (2.1 s at 2 MB/s), against 0.1-0.25 s for any clip in the page cache. 5 s
    // lets the slowest real clip finish; a clip that never answers (a FIFO without a writer, a
    // link to /dev/zero) costs no more.
    static constexpr int kLimitMs = 5000;

    MediaProbe(const QByteArray& mediaPath, const QByteArray& probeProgram);
    // Kills a run still going, with its whole group, and reaps it.
    ~MediaProbe();
    MediaProbe(const MediaProbe&) = delete;
    MediaProbe& operator=(const MediaProbe&) = delete;

    const QByteArray& mediaPath() const { return mediaPath_; }

    // Writes the command to standard output, encoded as UTF-8, with nothing appended.
    void traceCommand() const;

    // Waits until the run is over: ended, or given up at its limit. False, with the run left as
    // it is, as soon as the descriptor interruption (if not -1) has something to read: the
    // program is being asked to end.
    bool wait(int interruption = -1);
    // Reads what has come, and gives the run up if its limit has passed; for a run nobody
    // waits for. Returns the milliseconds left until the limit, or -1 once the run is over.
    int keepWithinLimit();
    bool isOver() const { return output_ < 0; }
    // The clip's properties once the run is over; the initial values before, or when the run
    // failed or was given up.
    MediaInfo info() const;

private:
    void readAvailable();
    void finish(bool ended);

    QByteArray mediaPath_;
    CommandWords command_;
    QDeadlineTimer deadline_;
    ChildProcess child_;
    int output_ = -1;
    bool givenUp_ = false;
    IdentifyOutput identify_;
};
