#include "DuplexPipe.h"
#include "TestSupport.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>
#include <csignal>

namespace {

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class DuplexPipeTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QList<FILE*> opened_;

    // Every child ends with its test. "%1" is the test's folder.
    FILE* start(const QString& command) {
        FILE* stream = openDuplexPipe(command.arg(dir_.path()).toLocal8Bit());
        opened_ += stream;
        return stream;
    }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        // A broken pipe must not be survived only because the test happens to ignore it.
        signal(SIGPIPE, SIG_DFL);
    }

    void cleanup() {
        for (FILE* stream : std::as_const(opened_))
            closeDuplexPipe(stream, 0);
        opened_.clear();
    }

    // Only the drain reads the output; without it the child would block on a full socket.
    void commandsArriveInOrderAfterMegabytesPrinted() {
        QByteArrayList commands{"pause\n", "seek +30\n", "seek", " 50 1\n",
                                QByteArray(1 << 20, 'x')};
        for (int value = 0; value < 256; ++value)
            commands += QByteArray(1, char(value));
        FILE* stream = start("head -c 8000000 /dev/zero && : > %1/printed && cat > %1/received");
        QVERIFY(stream);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(dir_.filePath("printed")), 60000);
        for (const QByteArray& command : commands)
            sendCommand(stream, command);
        QCOMPARE(closeDuplexPipe(stream), 0);
        QCOMPARE(readFile(dir_.filePath("received")), commands.join());
    }

    void closeReturnsRawStatus() {
        FILE* stream = start("echo x; : > %1/echoed; exec cat > /dev/null");
        QVERIFY(stream);
        // Output left unread at the close (no event loop runs) must not make the child's read fail.
        const QDeadlineTimer deadline(30000);
        while (!QFile::exists(dir_.filePath("echoed")) && !deadline.hasExpired())
            QThread::msleep(10);
        QCOMPARE(closeDuplexPipe(stream), 0);
        // Commands to a child that has ended are lost: no broken pipe, nothing left to flush.
        stream = start("/nonexistent/player -slave");
        QVERIFY(stream);
        QTRY_VERIFY_WITH_TIMEOUT(!TestSupport::processAlive(duplexPipeChild(stream)), 30000);
        sendCommand(stream, "pause\n");
        sendCommand(stream, QByteArray(1 << 20, 'x'));
        QCOMPARE(closeDuplexPipe(stream), 127 << 8);
    }

    void laterChildDoesNotHoldPipe() {
        FILE* first = start("cat > /dev/null");
        FILE* later = start("exec sleep 1000");
        QProcess other;
        other.start("sleep", {"1000"});
        QVERIFY(first && later && other.waitForStarted());
        const QString laterPid = QString::number(duplexPipeChild(later));
        QTRY_COMPARE_WITH_TIMEOUT(readFile("/proc/" + laterPid + "/comm"), "sleep\n", 30000);
        const auto socketOf = [](const QString& fd) {
            return QFile::symLinkTarget(fd).section('/', -1);
        };
        const QString socket = socketOf("/proc/self/fd/" + QString::number(fileno(first)));
        for (const QString& pid : {laterPid, QString::number(other.processId())}) {
            const QDir fds("/proc/" + pid + "/fd");
            for (const QString& fd : fds.entryList(QDir::System))
                QVERIFY(socketOf(fds.filePath(fd)) != socket);
        }
        other.kill();
        other.waitForFinished();
        QCOMPARE(closeDuplexPipe(first), 0);
        errno = 0;
        QCOMPARE(closeDuplexPipe(first), -1);
        QCOMPARE(errno, EBADF);
        QCOMPARE(closeDuplexPipe(first, 0) + killDuplexPipeGroup(first), -2);
        QCOMPARE(closeDuplexPipe(later, 0), int(SIGKILL));
    }

    // Like an idle player, the child ignores the end of its input; it leaves a process of its own
    // in its group. A grace of -1 kills the group before the close.
    void endsItsGroup_data() {
        QTest::addColumn<int>("graceMs");
        QTest::newRow("grace runs out") << 300;
        QTest::newRow("group killed") << -1;
    }
    void endsItsGroup() {
        QFETCH(int, graceMs);
        QFile::remove(dir_.filePath("left"));
        FILE* stream = start("sleep 1000 & echo $! > %1/left; sleep 1000");
        QVERIFY(stream);
        QTRY_VERIFY_WITH_TIMEOUT(readFile(dir_.filePath("left")).endsWith('\n'), 30000);
        const qint64 left = readFile(dir_.filePath("left")).trimmed().toLongLong();
        if (graceMs < 0) {
            QCOMPARE(killDuplexPipeGroup(stream), 0);
            QTRY_VERIFY_WITH_TIMEOUT(!TestSupport::processAlive(left), 10000);
        }
        QCOMPARE(closeDuplexPipe(stream, qMax(graceMs, 0)), int(SIGKILL));
        QTRY_VERIFY_WITH_TIMEOUT(!TestSupport::processAlive(left), 10000);
    }

    // The holder is killed outright. The shell does not exec the player, so the player is its
    // child; away from the socket it neither reads nor writes, as when idle and silent.
    void playerDiesWithProgram() {
        QProcess holder;
        holder.setStandardErrorFile(QProcess::nullDevice());
        holder.start(PIPE_HOLDER,
                     {TestSupport::programDir() +
                      "/mplayer -slave -idle -nosound -vo null </dev/null >/dev/null"});
        QVERIFY(holder.waitForReadyRead(30000));
        const QString shell = holder.readLine().trimmed();
        QVERIFY(shell.toLongLong() > 1);
        const auto endGroup = qScopeGuard([&] { kill(-shell.toInt(), SIGKILL); });
        const QString children = "/proc/" + shell + "/task/" + shell + "/children";
        QTRY_COMPARE_WITH_TIMEOUT(readFile("/proc/" + readFile(children).trimmed() + "/comm"),
                                  QByteArray("mplayer\n"), 30000);
        const qint64 player = readFile(children).trimmed().toLongLong();
        holder.kill();
        QVERIFY(holder.waitForFinished());
        QTRY_VERIFY_WITH_TIMEOUT(!TestSupport::processAlive(shell.toLongLong()), 30000);
        QTRY_VERIFY_WITH_TIMEOUT(!TestSupport::processAlive(player), 30000);
    }
};

QTEST_GUILESS_MAIN(DuplexPipeTest)
#include "tst_player_duplexpipe.moc"
