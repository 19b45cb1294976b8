#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QTemporaryDir>

// A temporary program directory whose "mplayer" and "mplayerrm" are the recording fake player,
// logging into a file of the directory (FAKE_PLAYER_LOG points there while it lives).
class FakePlayerDir {
public:
    FakePlayerDir();
    ~FakePlayerDir();

    bool isValid() const { return dir_.isValid(); }
    // The program directory as the window takes it.
    QByteArray appDir() const;
    QByteArray log() const;
    // The words of the START lines: of the identify runs, and of the playing player.
    QByteArrayList probeWords() const;
    QByteArrayList playerWords() const;
    // Pid of the playing player, or 0 before it has started.
    qint64 playerPid() const;
    // The lines the playing player received, in order.
    QByteArrayList received() const;

    // "START pid [word] [word] ..." -> the words.
    static QByteArrayList startLineWords(const QByteArray& line);

    bool writeFile(const QString& name, const QByteArray& text, bool executable = false) const;

private:
    QByteArray playerStartLine() const;

    QTemporaryDir dir_;
};
