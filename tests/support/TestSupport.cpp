#include "TestSupport.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryFile>
#include <cstdio>
#include <unistd.h>

namespace TestSupport {

QByteArray stdoutOf(const std::function<void()>& run) {
    QTemporaryFile file;
    if (!file.open())
        return "(no file to capture standard output in)";
    std::fflush(stdout);
    const int saved = dup(STDOUT_FILENO);
    dup2(file.handle(), STDOUT_FILENO);
    run();
    std::fflush(stdout);
    dup2(saved, STDOUT_FILENO);
    close(saved);
    return readLog(file.fileName());
}

bool generateClip(const QString& path, int width, int height, double seconds,
                  const QStringList& outputOptions, const QString& videoSource) {
    const QString size = QString::number(width) + 'x' + QString::number(height);
    const QString video =
        videoSource.isEmpty() ? QStringLiteral("testsrc=size=%1:rate=25").arg(size) : videoSource;
    QStringList args = QStringLiteral("-nostdin -loglevel error -y -f lavfi -i").split(' ');
    args << video
         << QStringLiteral("-f lavfi -i sine=frequency=440:sample_rate=44100 -t").split(' ')
         << QString::number(seconds);
    args += outputOptions;
    args += path;
    QProcess ffmpeg;
    ffmpeg.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    ffmpeg.start("ffmpeg", args);
    if (!ffmpeg.waitForFinished(120000) || ffmpeg.exitCode() != 0) {
        qWarning() << "ffmpeg failed for" << path << args;
        return false;
    }
    return true;
}

void installFakePlayer(const QString& dir) {
    for (const char* name : {"mplayer", "mplayerrm"}) {
        const QString target = QDir(dir).filePath(name);
        QFile::remove(target);
        QFile::copy(fakePlayer(), target);
    }
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

QByteArray readLog(const QString& logPath) {
    QFile log(logPath);
    return log.open(QIODevice::ReadOnly) ? log.readAll() : QByteArray();
}

QByteArrayList logged(const QString& logPath, const QByteArray& tag) {
    QByteArrayList lines;
    for (const QByteArray& line : readLog(logPath).split('\n'))
        if (line.startsWith(tag + ' '))
            lines << line.mid(tag.size() + 1);
    return lines;
}

bool processAlive(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray text = stat.readAll();
    const int close = text.lastIndexOf(')');
    return close > 0 && text.mid(close + 2, 1) != "Z";
}

QList<qint64> processesMentioning(const QByteArray& text) {
    QList<qint64> pids;
    for (const QString& pid : QDir("/proc").entryList({"[0-9]*"}, QDir::Dirs)) {
        QFile cmdline("/proc/" + pid + "/cmdline");
        if (cmdline.open(QIODevice::ReadOnly) && cmdline.readAll().contains(text))
            pids << pid.toLongLong();
    }
    return pids;
}

namespace {

qint64 groupOf(const QString& pid) {
    QFile stat("/proc/" + pid + "/stat"); // "pid (comm) state ppid pgrp ..."
    const QByteArray fields = stat.open(QIODevice::ReadOnly) ? stat.readAll() : QByteArray();
    return fields.mid(fields.lastIndexOf(')') + 2).split(' ').value(2).toLongLong();
}

} // namespace

QList<qint64> processGroupOf(qint64 member) {
    const qint64 group = groupOf(QString::number(member));
    QList<qint64> pids;
    for (const QString& pid : QDir("/proc").entryList({"[0-9]*"}, QDir::Dirs)) {
        if (group > 0 && groupOf(pid) == group)
            pids << pid.toLongLong();
    }
    return pids;
}

} // namespace TestSupport
