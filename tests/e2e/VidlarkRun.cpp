#include "VidlarkRun.h"

#include "TestSupport.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QThread>
#include <sys/prctl.h>
#include <sys/wait.h>

VidlarkRun::VidlarkRun(const QString& program, const QStringList& args,
                       const QProcessEnvironment& environment) {
    process_.setProcessEnvironment(environment);
    process_.setStandardErrorFile(QProcess::nullDevice()); // the player is chatty there
    process_.start(program, args);
    process_.waitForStarted(10000);
}

VidlarkRun::~VidlarkRun() {
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

QByteArray VidlarkRun::output() {
    output_ += process_.readAllStandardOutput();
    return output_;
}

bool VidlarkRun::waitForOutput(const QByteArray& text, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    while (!output().contains(text)) {
        if (deadline.hasExpired() || process_.state() == QProcess::NotRunning)
            return false;
        process_.waitForReadyRead(50);
    }
    return true;
}

bool VidlarkRun::waitForExit(int timeoutMs) {
    const bool ended = process_.waitForFinished(timeoutMs);
    output();
    return ended;
}

namespace {

QHash<qint64, qint64> parentsOfAll() {
    QHash<qint64, qint64> parents;
    const QStringList entries = QDir("/proc").entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        bool isPid = false;
        const qint64 pid = entry.toLongLong(&isPid);
        QFile stat("/proc/" + entry + "/stat");
        if (!isPid || !stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray text = stat.readAll();
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1)
            parents.insert(pid, fields[1].toLongLong());
    }
    return parents;
}

} // namespace

QList<qint64> VidlarkRun::descendants() const {
    const QHash<qint64, qint64> parents = parentsOfAll();
    QList<qint64> found{pid()};
    for (qsizetype i = 0; i < found.size(); ++i) {
        for (auto it = parents.cbegin(); it != parents.cend(); ++it) {
            if (it.value() == found[i])
                found.append(it.key());
        }
    }
    found.removeFirst();
    return found;
}

namespace ProcessTree {

void adoptOrphans() {
    prctl(PR_SET_CHILD_SUBREAPER, 1);
}

void reap(const QList<qint64>& pids) {
    for (qint64 pid : pids)
        waitpid(pid_t(pid), nullptr, WNOHANG);
}

QList<qint64> survivors(const QList<qint64>& pids, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    QList<qint64> alive;
    do {
        reap(pids);
        alive.clear();
        for (qint64 pid : pids) {
            if (TestSupport::processAlive(pid))
                alive.append(pid);
        }
        if (alive.isEmpty())
            break;
        QThread::msleep(50);
    } while (!deadline.hasExpired());
    return alive;
}

QList<qint64> named(const QByteArray& name) {
    QList<qint64> found;
    const QHash<qint64, qint64> all = parentsOfAll();
    for (auto it = all.cbegin(); it != all.cend(); ++it) {
        QFile comm(QStringLiteral("/proc/%1/comm").arg(it.key()));
        if (comm.open(QIODevice::ReadOnly) && comm.readAll().trimmed() == name &&
            TestSupport::processAlive(it.key()))
            found.append(it.key());
    }
    return found;
}

} // namespace ProcessTree
