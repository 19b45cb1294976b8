#include "DuplexPipe.h"
#include "TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>
#include <csignal>
#include <sys/wait.h>

namespace {

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The pid a child wrote into path, once it is there; 0 if it never comes.
qint64 waitForPidIn(const QString& path) {
    if (!QTest::qWaitFor([&] { return readFile(path).endsWith('\n'); }, 30000))
        return 0;
    return readFile(path).trimmed().toLongLong();
}

// The fields of /proc/PID/stat after the command name: state, parent, process group, ...
QList<QByteArray> statFields(const QString& pid) {
    const QByteArray stat = readFile("/proc/" + pid + "/stat");
    return stat.mid(stat.lastIndexOf(')') + 2).split(' ');
}

qint64 processGroupOf(qint64 pid) {
    const QList<QByteArray> fields = statFields(QString::number(pid));
    return fields.size() > 2 ? fields[2].toLongLong() : -1;
}

// Live (not zombie) processes whose process group is pgid.
QList<qint64> liveGroupMembers(qint64 pgid) {
    QList<qint64> members;
    for (const QString& entry : QDir("/proc").entryList(QDir::Dirs)) {
        bool numeric = false;
        const qint64 pid = entry.toLongLong(&numeric);
        const QList<QByteArray> fields = statFields(entry);
        if (numeric && fields.size() > 2 && fields[0] != "Z" && fields[2].toLongLong() == pgid)
            members += pid;
    }
    return members;
}

bool groupRuns(qint64 pgid, const QByteArray& command) {
    for (const qint64 pid : liveGroupMembers(pgid)) {
        if (readFile(QStringLiteral("/proc/%1/comm").arg(pid)).trimmed() == command)
            return true;
    }
    return false;
}

bool killedBy(int status, int signal) {
    return WIFSIGNALED(status) && WTERMSIG(status) == signal;
}

bool brokenPipePending() {
    sigset_t pending;
    sigpending(&pending);
    return sigismember(&pending, SIGPIPE) == 1;
}

} // namespace

class DuplexPipeTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void commandsArriveInOrder_data();
    void commandsArriveInOrder();
    void closeReturnsRawStatus_data();
    void closeReturnsRawStatus();
    void unreadOutputLeavesCleanEndOfInput();
    void closingTwiceFails();
    void closingForeignStreamChangesNothing();
    void laterChildDoesNotHoldPipe_data();
    void laterChildDoesNotHoldPipe();
    void sendAfterChildEndedIsLost();
    void chattyChildKeepsRunning();
    void graceEndsChildIgnoringEndOfInput();
    void graceEndsLeftoversOfChildThatExited();
    void groupEndSparesOutsiders();
    void killGroupEndsChildAndGrandchild();
    void childDiesWithProgram_data();
    void childDiesWithProgram();

private:
    // Every child a test starts ends with the test, whether it passes or not.
    FILE* startChild(const QByteArray& command) {
        FILE* stream = openDuplexPipe(command);
        opened_ += stream;
        return stream;
    }
    QString path(const QString& name) const { return dir_.filePath(name); }
    QByteArray shellPath(const QString& name) const { return path(name).toLocal8Bit(); }

    QTemporaryDir dir_;
    QList<FILE*> opened_;
    QList<qint64> strays_;
};

void DuplexPipeTest::initTestCase() {
    QVERIFY(dir_.isValid());
    // A broken pipe must not be survived only because the test happens to ignore it.
    signal(SIGPIPE, SIG_DFL);
}

void DuplexPipeTest::cleanup() {
    for (FILE* stream : std::as_const(opened_))
        closeDuplexPipe(stream, 0);
    opened_.clear();
    for (const qint64 pid : std::as_const(strays_))
        kill(pid_t(pid), SIGKILL);
    strays_.clear();
}

void DuplexPipeTest::commandsArriveInOrder_data() {
    QTest::addColumn<QByteArrayList>("commands");
    QByteArray everyByte;
    for (int value = 0; value < 256; ++value)
        everyByte += char(value);
    QTest::newRow("slave commands")
        << QByteArrayList{"pause\n", "seek +30\n", "seek 50 1\n", "key_down_event 57\n", "quit\n"};
    QTest::newRow("nothing appended") << QByteArrayList{"seek", " -30", "", "\n"};
    QTest::newRow("every byte value") << QByteArrayList{everyByte + '\n', "pause\n"};
    QTest::newRow("larger than the socket holds")
        << QByteArrayList{QByteArray(1 << 20, 'x'), "\nquit\n"};
}

void DuplexPipeTest::commandsArriveInOrder() {
    QFETCH(QByteArrayList, commands);
    const QString received = path("received");
    FILE* stream = startChild("cat > " + received.toLocal8Bit());
    QVERIFY(stream);
    for (const QByteArray& command : commands)
        sendCommand(stream, command);
    QCOMPARE(closeDuplexPipe(stream), 0);
    QCOMPARE(readFile(received), commands.join());
}

void DuplexPipeTest::closeReturnsRawStatus_data() {
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<int>("status");
    QTest::newRow("ends on end of input") << QByteArray("cat > /dev/null") << 0;
    // Unread output at the close must not turn the child's end of input into a read error.
    QTest::newRow("end of input while printing") << QByteArray("yes & exec cat > /dev/null") << 0;
    QTest::newRow("exit status 3") << QByteArray("exit 3") << (3 << 8);
    QTest::newRow("command not found") << QByteArray("/nonexistent/vidlark-player -slave") << 32512;
    QTest::newRow("killed by a signal") << QByteArray("kill -KILL $$") << int(SIGKILL);
}

void DuplexPipeTest::closeReturnsRawStatus() {
    QFETCH(QByteArray, command);
    QFETCH(int, status);
    FILE* stream = startChild(command);
    QVERIFY(stream);
    QCOMPARE(closeDuplexPipe(stream), status);
}

// Closing a Unix socket that still holds unread data would make the child's next read fail
// with ECONNRESET (cat then exits with 1) instead of seeing the end of its input.
void DuplexPipeTest::unreadOutputLeavesCleanEndOfInput() {
    const QString marker = path("printed");
    FILE* stream =
        startChild("echo unread; : > " + marker.toLocal8Bit() + "; exec cat > /dev/null");
    QVERIFY(stream);
    // Without running the event loop, so the output is still unread at the close.
    QDeadlineTimer deadline(30000);
    while (!QFile::exists(marker) && !deadline.hasExpired())
        QThread::msleep(10);
    QVERIFY(QFile::exists(marker));
    QCOMPARE(closeDuplexPipe(stream), 0);
}

void DuplexPipeTest::closingTwiceFails() {
    FILE* stream = startChild("cat > /dev/null");
    FILE* other = startChild("cat > " + shellPath("other"));
    QVERIFY(stream && other);
    QCOMPARE(closeDuplexPipe(stream), 0);

    errno = 0;
    QCOMPARE(closeDuplexPipe(stream), -1);
    QCOMPARE(errno, EBADF);
    errno = 0;
    QCOMPARE(closeDuplexPipe(stream, 0), -1);
    QCOMPARE(errno, EBADF);
    errno = 0;
    QCOMPARE(killDuplexPipeGroup(stream), -1);
    QCOMPARE(errno, EBADF);
    QCOMPARE(duplexPipeChild(stream), pid_t(-1));

    QVERIFY(duplexPipeChild(other) > 0);
    sendCommand(other, "still open\n");
    QCOMPARE(closeDuplexPipe(other), 0);
    QCOMPARE(readFile(path("other")), QByteArray("still open\n"));
}

void DuplexPipeTest::closingForeignStreamChangesNothing() {
    for (FILE* stranger : {static_cast<FILE*>(nullptr), tmpfile()}) {
        errno = 0;
        QCOMPARE(closeDuplexPipe(stranger), -1);
        QCOMPARE(errno, EBADF);
        QCOMPARE(closeDuplexPipe(stranger, 100), -1);
        QCOMPARE(killDuplexPipeGroup(stranger), -1);
        if (stranger) {
            QVERIFY(fputs("still mine", stranger) >= 0);
            QCOMPARE(fclose(stranger), 0);
        }
    }
    sendCommand(nullptr, "pause\n");
}

void DuplexPipeTest::laterChildDoesNotHoldPipe_data() {
    QTest::addColumn<bool>("viaPopen");
    QTest::newRow("another duplex pipe") << false;
    QTest::newRow("popen") << true;
}

// If the later child held the first pipe's socket end, the first child would never see the end
// of its input and would have to be killed.
void DuplexPipeTest::laterChildDoesNotHoldPipe() {
    QFETCH(bool, viaPopen);
    FILE* first = startChild("cat > /dev/null");
    QVERIFY(first);
    FILE* later = viaPopen ? popen("echo $$; exec sleep 1000", "r") : startChild("exec sleep 1000");
    QVERIFY(later);
    char pidText[32] = {};
    QVERIFY(!viaPopen || fgets(pidText, sizeof pidText, later));
    if (viaPopen)
        strays_ += atoll(pidText);

    QCOMPARE(closeDuplexPipe(first, 60000), 0);

    if (viaPopen) {
        kill(pid_t(atoll(pidText)), SIGKILL);
        pclose(later);
    } else {
        QVERIFY(killedBy(closeDuplexPipe(later, 0), SIGKILL));
    }
}

void DuplexPipeTest::sendAfterChildEndedIsLost() {
    FILE* stream = startChild("exit 0");
    QVERIFY(stream);
    const pid_t child = duplexPipeChild(stream);
    QTRY_VERIFY_WITH_TIMEOUT(!TestSupport::processAlive(child), 30000);

    sendCommand(stream, "pause\n");
    sendCommand(stream, QByteArray(1 << 20, 'x'));
    sendCommand(stream, "quit\n");
    QVERIFY(!brokenPipePending());
    // Nothing lost stays buffered for fclose to fail on.
    QCOMPARE(closeDuplexPipe(stream), 0);
}

// Nothing but the drain reads the child's output; without it the child would block once the
// socket is full and never reach the marker.
void DuplexPipeTest::chattyChildKeepsRunning() {
    const QString marker = path("printed-all");
    FILE* stream = startChild("head -c 8000000 /dev/zero && : > " + marker.toLocal8Bit() +
                              "; exec cat > /dev/null");
    QVERIFY(stream);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(marker), 60000);
    sendCommand(stream, "quit\n");
    QCOMPARE(closeDuplexPipe(stream), 0);
}

// Like a player in idle mode: end of input does not end it, and it has started a child.
void DuplexPipeTest::graceEndsChildIgnoringEndOfInput() {
    const QString grandchildFile = path("idle-grandchild");
    FILE* stream =
        startChild("sleep 1000 & echo $! > " + grandchildFile.toLocal8Bit() + "; sleep 1000");
    QVERIFY(stream);
    const qint64 grandchild = waitForPidIn(grandchildFile);
    QVERIFY(grandchild > 0);
    const pid_t child = duplexPipeChild(stream);

    QElapsedTimer clock;
    clock.start();
    QVERIFY(killedBy(closeDuplexPipe(stream, 300), SIGKILL));
    QVERIFY(clock.elapsed() < 30000);
    QVERIFY(!TestSupport::processAlive(child));
    QTRY_VERIFY_WITH_TIMEOUT(!TestSupport::processAlive(grandchild), 10000);
}

void DuplexPipeTest::graceEndsLeftoversOfChildThatExited() {
    const QString grandchildFile = path("left-grandchild");
    FILE* stream =
        startChild("sleep 1000 & echo $! > " + grandchildFile.toLocal8Bit() + "; exit 3");
    QVERIFY(stream);
    const qint64 grandchild = waitForPidIn(grandchildFile);
    QVERIFY(grandchild > 0);

    const int status = closeDuplexPipe(stream, 60000);
    QVERIFY(WIFEXITED(status));
    QCOMPARE(WEXITSTATUS(status), 3);
    QTRY_VERIFY_WITH_TIMEOUT(!TestSupport::processAlive(grandchild), 10000);
}

void DuplexPipeTest::groupEndSparesOutsiders() {
    QProcess sibling;
    sibling.start("sleep", {"1000"});
    QVERIFY(sibling.waitForStarted());
    const QString outsiderFile = path("outsider");
    FILE* stream =
        startChild("setsid sleep 1000 & echo $! > " + outsiderFile.toLocal8Bit() + "; sleep 1000");
    QVERIFY(stream);
    const qint64 outsider = waitForPidIn(outsiderFile);
    QVERIFY(outsider > 0);
    strays_ += outsider;
    QTRY_COMPARE_WITH_TIMEOUT(processGroupOf(outsider), outsider, 30000);

    QVERIFY(killedBy(closeDuplexPipe(stream, 0), SIGKILL));
    QVERIFY(TestSupport::processAlive(outsider));
    QCOMPARE(sibling.state(), QProcess::Running);

    sibling.kill();
    sibling.waitForFinished();
}

void DuplexPipeTest::killGroupEndsChildAndGrandchild() {
    const QString grandchildFile = path("killed-grandchild");
    FILE* stream =
        startChild("sleep 1000 & echo $! > " + grandchildFile.toLocal8Bit() + "; sleep 1000");
    QVERIFY(stream);
    const qint64 grandchild = waitForPidIn(grandchildFile);
    QVERIFY(grandchild > 0);
    const pid_t child = duplexPipeChild(stream);

    QCOMPARE(killDuplexPipeGroup(stream), 0);
    QTRY_VERIFY_WITH_TIMEOUT(!TestSupport::processAlive(grandchild), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(!TestSupport::processAlive(child), 10000);
    QVERIFY(killedBy(closeDuplexPipe(stream), SIGKILL));
}

void DuplexPipeTest::childDiesWithProgram_data() {
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<QByteArray>("lastToStart");
    QTest::newRow("shell") << QByteArray("exec sleep 1000") << QByteArray("sleep");
    const QByteArray player = (TestSupport::programDir() + "/mplayer").toLocal8Bit();
    QTest::newRow("idle player under the shell")
        << player + " -slave -idle -quiet -nosound -vo null" << QByteArray("mplayer");
}

// The holder is killed outright, with no chance to close its pipe.
void DuplexPipeTest::childDiesWithProgram() {
    QFETCH(QByteArray, command);
    QFETCH(QByteArray, lastToStart);
    QProcess holder;
    holder.start(PIPE_HOLDER, {QString::fromLocal8Bit(command)});
    QVERIFY(holder.waitForReadyRead(30000));
    const qint64 group = holder.readLine().trimmed().toLongLong();
    QVERIFY(group > 0);
    QTRY_VERIFY_WITH_TIMEOUT(groupRuns(group, lastToStart), 30000);

    holder.kill();
    QVERIFY(holder.waitForFinished());
    QTRY_VERIFY_WITH_TIMEOUT(liveGroupMembers(group).isEmpty(), 30000);
}

QTEST_GUILESS_MAIN(DuplexPipeTest)
#include "tst_player_duplexpipe.moc"
