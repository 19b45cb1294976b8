#pragma once

#include "MediaInfo.h"
#include "ProbeRun.h"

#include <QByteArray>
#include <QDeadlineTimer>

// One identify run of the player on a clip. It starts at once, needs no application object, and
// runs beside whatever the program does meanwhile; its output is read when the result is
// awaited. The run is bounded: after kLimitMs from its
// start it is given up, its whole process group is killed, and the result is that of a failed
// probe. Like every guarded child it dies with the program, however the program ends.
class MediaProbe {
public:
    // Measured with Debian's MPlayer: an identify run reads a clip's header and index, 28 KB for
    // a 10 s AVI but 3.7 MB for a 400 MB, one-hour one (2.4 MB as MP4). On a 1 MB/s medium that
    // takes 4.0 s (2.1 s at 2 MB/s), against 0.1-0.25 s for any clip in the page cache. 5 s
    // lets the slowest real clip finish; a clip that never answers (a FIFO without a writer, a
    // link to /dev/zero) costs no more.
    static constexpr int kLimitMs = 5000;

    MediaProbe(const QByteArray& mediaPath, const QByteArray& probeProgram);
    // Takes over a run already started on the clip with this command; its limit counts from
    // that start.
    MediaProbe(const QByteArray& mediaPath, const QByteArray& command, const ProbeRun& run);
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
    bool isOver() const { return run_.output < 0; }
    // The clip's properties once the run is over; the initial values before, or when the run
    // failed or was given up.
    const MediaInfo& info() const { return info_; }

private:
    void readAvailable();
    bool applyPieces(bool atEnd);
    void finish(bool ended);

    QByteArray mediaPath_;
    QByteArray command_;
    ProbeRun run_;
    QDeadlineTimer deadline_{run_.started + std::chrono::milliseconds(kLimitMs), Qt::PreciseTimer};
    QByteArray pending_;
    MediaInfo info_;
};
