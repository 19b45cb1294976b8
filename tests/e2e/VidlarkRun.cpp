#include "VidlarkRun.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QTest>
#include <csignal>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

VidlarkRun::VidlarkRun(const QString& program, const QStringList& args,
                       const std::function<void()>& childSetUp) {
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    process_.setStandardErrorFile(QProcess::nullDevice()); // the player is chatty there
    if (childSetUp)
        process_.setChildProcessModifier(childSetUp);
    process_.start(program, args);
    process_.waitForStarted(10000);
}

void VidlarkRun::signal(int number) const {
    if (pid() > 0)
        ::kill(pid_t(pid()), number);
}

bool VidlarkRun::waitForOutput(const QByteArray& text, int timeoutMs) {
    const auto ended = [&] { return process_.state() == QProcess::NotRunning; };
    (void)QTest::qWaitFor([&] { return output().contains(text) || ended(); }, timeoutMs);
    return output().contains(text);
}

namespace {

QByteArray procFile(qint64 pid, const char* name) {
    QFile file(QStringLiteral("/proc/%1/%2").arg(pid).arg(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

QList<qint64> VidlarkRun::descendants(const QByteArray& name) const {
    QMultiHash<qint64, qint64> children;
    for (const QString& entry : QDir("/proc").entryList({"[0-9]*"}, QDir::Dirs)) {
        const QByteArray stat = procFile(entry.toLongLong(), "stat"); // "pid (comm) state ppid"
        children.insert(stat.mid(stat.lastIndexOf(')') + 2).split(' ').value(1).toLongLong(),
                        entry.toLongLong());
    }
    QList<qint64> found = children.values(pid());
    for (qsizetype i = 0; i < found.size(); ++i)
        found += children.values(found[i]);
    if (!name.isEmpty())
        found.removeIf([&](qint64 pid) { return procFile(pid, "comm").trimmed() != name; });
    return found;
}

bool VidlarkRun::plays(const QByteArray& path) const {
    for (const qint64 pid : descendants("mplayer")) {
        if (!procFile(pid, "cmdline").contains(QByteArray("\0-slave\0", 8)))
            continue;
        const QString fds = QStringLiteral("/proc/%1/fd/").arg(pid);
        for (const QString& fd :
             QDir(fds).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
            char target[4096];
            const ssize_t size = ::readlink(QFile::encodeName(fds + fd), target, sizeof target);
            if (size > 0 && QByteArray(target, size) == path)
                return true;
        }
    }
    return false;
}

QList<qint64> survivors(QList<qint64> pids, int timeoutMs) {
    const auto allGone = [&] {
        pids.removeIf([](qint64 pid) {
            waitpid(pid_t(pid), nullptr, WNOHANG); // an adopted one that ended
            return !TestSupport::processAlive(pid);
        });
        return pids.isEmpty();
    };
    (void)QTest::qWaitFor(allGone, timeoutMs);
    return pids;
}
