#pragma once

#include <QByteArrayList>
#include <QString>
#include <QStringList>
#include <functional>

namespace TestSupport {

// Where the build put vidlark and the player stand-ins.
inline QString programDir() {
    return QStringLiteral(VIDLARK_PROGRAM_DIR);
}

// Writes a clip with ffmpeg from lavfi test sources: `seconds` of a w x h test picture (or the
// lavfi video source given) with a tone unless silent. Extra ffmpeg output options may follow.
// Returns false (and warns) when ffmpeg fails.
bool generateClip(const QString& path, int width, int height, double seconds,
                  const QStringList& outputOptions = {}, const QString& videoSource = {});

// What `run` writes to the process's standard output with stdio while it runs.
QByteArray stdoutOf(const std::function<void()>& run);

// The recording fake player (see fake_player.cpp).
inline QString fakePlayer() {
    return QStringLiteral(VIDLARK_FAKE_PLAYER);
}

// Makes dir a program directory whose "mplayer" and "mplayerrm" are the recording fake player.
void installFakePlayer(const QString& dir);

// Writes the file anew with the bytes; false when that failed.
bool writeFile(const QString& path, const QByteArray& bytes);
// A file's bytes as they stand (the fake player's log, say).
QByteArray readLog(const QString& logPath);
// The fake player's log lines tagged `tag` ("START", "LINE", "CHILD"), without the tag.
QByteArrayList logged(const QString& logPath, const QByteArray& tag);

// Whether the process exists and is not a zombie.
bool processAlive(qint64 pid);

// Running processes whose command line holds the text.
QList<qint64> processesMentioning(const QByteArray& text);
// The processes in the same process group as member, member included.
QList<qint64> processGroupOf(qint64 member);

} // namespace TestSupport
