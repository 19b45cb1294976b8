// Runs the real program in a program directory of its own, with the recording fake player, and
// checks which road it takes and the exact trace of each road.
#include "ProbeAhead.h"
#include "TestSupport.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void signalIfRunning(const QProcess& process, int signal) {
    if (process.processId() > 0) // 0 would signal the test's own process group
        ::kill(pid_t(process.processId()), signal);
}

} // namespace

class RoadsTest : public QObject {
    Q_OBJECT

    QTemporaryDir programDir;
    QString longProgramDir;

    // Starts the program, waits until its output holds `waitFor`, then asks it to end as a
    // desktop session would, and returns everything it wrote.
    QByteArray runUntilThenTerminate(const QStringList& args, const QByteArray& waitFor,
                                     const QString& dir) {
        QProcess vidlark;
        vidlark.start(dir + "/vidlark", args);
        QByteArray out;
        for (QDeadlineTimer deadline(20000); !out.contains(waitFor) && !deadline.hasExpired();) {
            vidlark.waitForReadyRead(100);
            out += vidlark.readAllStandardOutput();
        }
        signalIfRunning(vidlark, SIGTERM);
        if (!vidlark.waitForFinished(10000))
            vidlark.kill();
        out += vidlark.readAllStandardOutput();
        if (vidlark.exitStatus() != QProcess::NormalExit || vidlark.exitCode() != 0)
            qWarning() << "exit" << vidlark.exitStatus() << vidlark.exitCode() << out;
        return out;
    }

private slots:
    void initTestCase() {
        QVERIFY(programDir.isValid());
        // Beyond the 1024 bytes a fixed buffer for the link /proc/self/exe would hold.
        longProgramDir = programDir.path();
        while (longProgramDir.size() <= 1100)
            longProgramDir += '/' + QString(200, 'd');
        QVERIFY(QDir().mkpath(longProgramDir));
        for (const QString& dir : {programDir.path(), longProgramDir}) {
            QVERIFY(QFile::copy(TestSupport::programDir() + "/vidlark", dir + "/vidlark"));
            TestSupport::installFakePlayer(dir);
        }
        qputenv("FAKE_PLAYER_LOG", QFile::encodeName(programDir.filePath("player.log")));
    }

    void directRoad_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<bool>("longDir");
        const auto row = [](const char* name, const QStringList& args, const QByteArray& path,
                            bool longDir = false) {
            QTest::newRow(name) << args << path << longDir;
        };
        row("one word is the path", {"clip.avi"}, "clip.avi");
        row("two words: the second", {"first", "second.avi"}, "second.avi");
        row("three words: the second", {"a", "b.avi", "c"}, "b.avi");
        row("Qt's options are consumed", {"-platform", "offscreen", "clip.avi"}, "clip.avi");
        row("a name like an option is a file", {"-idle"}, "./-idle");
        row("\"--\" ends the options and is no file", {"--", "-bare"}, "./-bare");
        row("program directory longer than 1024 bytes", {"clip.avi"}, "clip.avi", true);
        row("the emulator's options are consumed", {"-bare", "-card", "/srv/card", "clip.avi"},
            "clip.avi");
    }

    // The probe and the player run from the program directory, on the path as a file name.
    void directRoad() {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, path);
        QFETCH(bool, longDir);
        const QString dir = longDir ? longProgramDir : programDir.path();
        QFile::remove(programDir.filePath("player.log"));
        const QByteArray out = runUntilThenTerminate(args, "MainWidget setMainWidget ok\n", dir);
        const QByteArray start = "begin\nApplication new ok\n" + QFile::encodeName(dir) +
                                 "/mplayerrm -identify \"" + path +
                                 "\" -nosound -vc dummy -vo null" +
                                 "MainWidget new ok\nMainWidget setMainWidget ok\n";
        QVERIFY2(out.startsWith(start) && out.endsWith("\nexit3!\n"), out.constData());
        // Both the probe and the player were started, each with the path as a word of its own.
        const QByteArrayList started =
            TestSupport::logged(programDir.filePath("player.log"), "START");
        QCOMPARE(started.size(), 2);
        for (const QByteArray& line : started)
            QVERIFY2(line.contains(" [" + path + ']'), line.constData());
    }

    void pickerRoadCancelled() {
        for (const QStringList& args : {QStringList{"-platform", "offscreen"}, {"--"}})
            QCOMPARE(runUntilThenTerminate(args, "\nbegin exec", programDir.path()),
                     QByteArray("begin\nApplication new ok\n\nbegin exec\nexec ok\nunget name"));
    }

    void ownOptionsExitAtOnce_data() {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QByteArray>("starts");
        QTest::addColumn<QByteArray>("ends");
        QTest::newRow("help") << "--help"
                              << QByteArray("Usage: vidlark [-bare] [-card DIR] [MEDIA-FILE]\n")
                              << QByteArray("soft keys)\n");
        QTest::newRow("version") << "--version" << QByteArray("vidlark 1.4\n")
                                 << QByteArray("vidlark 1.4\n");
    }

    // Only their own text, and no display needed.
    void ownOptionsExitAtOnce() {
        QFETCH(QString, option);
        QFETCH(QByteArray, starts);
        QFETCH(QByteArray, ends);
        QProcess vidlark;
        QProcessEnvironment noDisplay = QProcessEnvironment::systemEnvironment();
        noDisplay.remove("DISPLAY");
        noDisplay.remove("QT_QPA_PLATFORM");
        vidlark.setProcessEnvironment(noDisplay);
        vidlark.start(programDir.filePath("vidlark"), {option, "clip.avi"});
        QVERIFY(vidlark.waitForFinished(10000));
        QCOMPARE(vidlark.exitCode(), 0);
        const QByteArray out = vidlark.readAllStandardOutput();
        QVERIFY2(out.startsWith(starts) && out.endsWith(ends), out.constData());
        QVERIFY(vidlark.readAllStandardError().isEmpty());
    }

    // The picker probes the file under a resting selection, which nobody may ever choose: that
    // run too is given up at the limit, with its group.
    void probeAheadIsBounded() {
        const QByteArray fifo = QFile::encodeName(programDir.filePath("ahead.avi"));
        QVERIFY(mkfifo(fifo.constData(), 0600) == 0);
        ProbeAhead ahead(QFile::encodeName(TestSupport::programDir()));
        ahead.ask(fifo);
        QTRY_VERIFY(!TestSupport::processesMentioning(fifo).isEmpty());
        QTest::qWait(MediaProbe::kLimitMs);
        QTRY_COMPARE_WITH_TIMEOUT(TestSupport::processesMentioning(fifo), QList<qint64>(), 1000);
    }

    void signalDuringTheProbe_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<int>("signal");
        const QByteArray fifo = QFile::encodeName(programDir.filePath("x.avi"));
        const QByteArray zero = QFile::encodeName(programDir.filePath("zero.avi"));
        QVERIFY(mkfifo(fifo.constData(), 0600) == 0 && symlink("/dev/zero", zero.constData()) == 0);
        QTest::newRow("FIFO named x.avi, SIGTERM") << fifo << SIGTERM;
        QTest::newRow("link to /dev/zero named zero.avi, SIGINT") << zero << SIGINT;
        QTest::newRow("FIFO named x.avi, SIGHUP") << fifo << SIGHUP;
        QTest::newRow("link to /dev/zero named zero.avi, SIGKILL") << zero << SIGKILL;
    }

    // With the real player, whose identify run on these never ends by itself: the program ends
    // at once and nothing of the probe is left.
    void signalDuringTheProbe() {
        QFETCH(QByteArray, name);
        QFETCH(int, signal);
        QProcess vidlark;
        vidlark.start(TestSupport::programDir() + "/vidlark", {QFile::decodeName(name)});
        QByteArray out;
        QTRY_VERIFY((out += vidlark.readAllStandardOutput()).contains("-identify"));
        QTest::qWait(300);
        // The probe's player, and the guard in its group.
        QList<qint64> player = TestSupport::processesMentioning(name);
        player.removeAll(vidlark.processId());
        QCOMPARE(player.size(), 1);
        const QList<qint64> probe = TestSupport::processGroupOf(player[0]);
        QCOMPARE(probe.size(), 2);
        QElapsedTimer ending;
        ending.start();
        signalIfRunning(vidlark, signal);
        QVERIFY(vidlark.waitForFinished(1000));
        QVERIFY2(ending.elapsed() < 1000, qPrintable(QString::number(ending.elapsed())));
        if (signal != SIGKILL)
            QCOMPARE(vidlark.exitCode(), 0);
        for (const qint64 pid : probe)
            QTRY_VERIFY_WITH_TIMEOUT(!TestSupport::processAlive(pid), 1000);
    }
};

QTEST_GUILESS_MAIN(RoadsTest)
#include "tst_roads.moc"
