#pragma once

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

// The real program, started as a user would, with its output collected as it comes.
class VidlarkRun {
public:
    VidlarkRun(const QString& program, const QStringList& args,
               const QProcessEnvironment& environment);
    ~VidlarkRun();

    qint64 pid() const { return process_.processId(); }
    // Waits until the output holds the text; false on time-out or when the program ended.
    bool waitForOutput(const QByteArray& text, int timeoutMs = 15000);
    QByteArray output();
    bool waitForExit(int timeoutMs);
    int exitCode() const { return process_.exitCode(); }
    bool crashed() const { return process_.exitStatus() == QProcess::CrashExit; }

    // Every process below the program now, found by walking /proc.
    QList<qint64> descendants() const;

private:
    QProcess process_;
    QByteArray output_;
};

namespace ProcessTree {
// Makes this process the one that inherits orphans, so none of the program's children can
// escape the test or linger as a zombie.
void adoptOrphans();
// Reaps the ones that were adopted and have ended.
void reap(const QList<qint64>& pids);
// The processes of `pids` that still run (zombies do not count), after waiting up to timeoutMs.
QList<qint64> survivors(const QList<qint64>& pids, int timeoutMs);
// Pids of running processes whose command name is exactly `name`.
QList<qint64> named(const QByteArray& name);
} // namespace ProcessTree
