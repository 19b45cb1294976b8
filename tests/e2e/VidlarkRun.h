#pragma once

#include <QProcess>
#include <functional>

// The real program, started as a user would, its output collected as it comes. This process
// inherits the orphans, so none of the program's children escapes the test or lingers.
class VidlarkRun {
public:
    // childSetUp runs in the child just before the program is executed.
    VidlarkRun(const QString& program, const QStringList& args,
               const std::function<void()>& childSetUp = {});

    qint64 pid() const { return process_.processId(); }
    // Signals the program, and nothing when it has ended: a pid of 0 would reach the whole group.
    void signal(int number) const;
    // Waits until the output holds the text; false on time-out or when the program ended.
    bool waitForOutput(const QByteArray& text, int timeoutMs = 15000);
    QByteArray output() { return output_ += process_.readAllStandardOutput(); }
    bool waitForExit(int timeoutMs) { return process_.waitForFinished(timeoutMs); }
    // -1 when it crashed or was killed.
    int exitCode() const {
        return process_.exitStatus() == QProcess::CrashExit ? -1 : process_.exitCode();
    }

    // Every process below the program now, found by walking /proc; only those whose command name
    // is `name` when one is given.
    QList<qint64> descendants(const QByteArray& name = {}) const;
    // Whether a playing player below the program (not the identify run) has the file open by its
    // path, byte for byte.
    bool plays(const QByteArray& path) const;

private:
    QProcess process_;
    QByteArray output_;
};

// The processes of `pids` that still run (zombies do not count), after waiting up to timeoutMs.
QList<qint64> survivors(QList<qint64> pids, int timeoutMs);
