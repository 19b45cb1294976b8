// Runs the real program in a program directory of its own, with the recording fake player, and
// checks which road it takes and the exact trace of each road.
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

class RoadsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void directRoad_data();
    void directRoad();
    void pickerRoadCancelled();
    void ownOptionsExitAtOnce_data();
    void ownOptionsExitAtOnce();

private:
    QByteArray runUntilThenTerminate(const QStringList& args, const QByteArray& waitFor);
    QByteArray probeTrace(const QByteArray& path) const;

    QTemporaryDir programDir;
    QString program;
};

void RoadsTest::initTestCase() {
    QVERIFY(programDir.isValid());
    program = programDir.filePath("vidlark");
    QVERIFY(QFile::copy(TestSupport::programDir() + "/vidlark", program));
    TestSupport::installFakePlayer(programDir.path());
    qputenv("FAKE_PLAYER_LOG", QFile::encodeName(programDir.filePath("player.log")));
}

QByteArray RoadsTest::probeTrace(const QByteArray& path) const {
    return QFile::encodeName(programDir.path()) + "/mplayerrm -identify \"" + path +
           "\" -nosound -vc dummy -vo null";
}

// Starts the program, waits until its output holds `waitFor`, then asks it to end as a desktop
// session would, and returns everything it wrote.
QByteArray RoadsTest::runUntilThenTerminate(const QStringList& args, const QByteArray& waitFor) {
    QProcess vidlark;
    vidlark.setProcessChannelMode(QProcess::SeparateChannels);
    vidlark.start(program, args);
    QByteArray out;
    QDeadlineTimer deadline(20000);
    while (!out.contains(waitFor) && !deadline.hasExpired() && vidlark.waitForReadyRead(200))
        out += vidlark.readAllStandardOutput();
    while (!out.contains(waitFor) && !deadline.hasExpired()) {
        vidlark.waitForReadyRead(100);
        out += vidlark.readAllStandardOutput();
    }
    ::kill(pid_t(vidlark.processId()), SIGTERM);
    if (!vidlark.waitForFinished(10000))
        vidlark.kill();
    out += vidlark.readAllStandardOutput();
    if (vidlark.exitStatus() != QProcess::NormalExit || vidlark.exitCode() != 0)
        qWarning() << "exit" << vidlark.exitStatus() << vidlark.exitCode() << out;
    return out;
}

void RoadsTest::directRoad_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("path");
    QTest::newRow("one word is the path") << QStringList{"clip.avi"} << QByteArray("clip.avi");
    QTest::newRow("two words: the second")
        << QStringList{"first", "second.avi"} << QByteArray("second.avi");
    QTest::newRow("three words: the second")
        << QStringList{"a", "b.avi", "c"} << QByteArray("b.avi");
    QTest::newRow("Qt's options are consumed")
        << QStringList{"-platform", "offscreen", "clip.avi"} << QByteArray("clip.avi");
    QTest::newRow("the emulator's options are consumed")
        << QStringList{"-bare", "-card", "/srv/card", "clip.avi"} << QByteArray("clip.avi");
}

void RoadsTest::directRoad() {
    QFETCH(QStringList, args);
    QFETCH(QByteArray, path);
    const QByteArray out = runUntilThenTerminate(args, "MainWidget setMainWidget ok\n");
    const QByteArray start = "begin\nApplication new ok\n" + probeTrace(path) +
                             "MainWidget new ok\nMainWidget setMainWidget ok\n";
    QVERIFY2(out.startsWith(start), out.constData());
    QVERIFY2(out.endsWith("\nexit3!\n"), out.constData());
}

void RoadsTest::pickerRoadCancelled() {
    const QByteArray out = runUntilThenTerminate({"-platform", "offscreen"}, "\nbegin exec");
    QCOMPARE(out, QByteArray("begin\nApplication new ok\n\nbegin exec\nexec ok\nunget name"));
}

void RoadsTest::ownOptionsExitAtOnce_data() {
    QTest::addColumn<QString>("option");
    QTest::addColumn<QByteArray>("says");
    QTest::newRow("help") << "--help" << QByteArray("0x1049");
    QTest::newRow("version") << "--version" << QByteArray("1.4");
}

void RoadsTest::ownOptionsExitAtOnce() {
    QFETCH(QString, option);
    QFETCH(QByteArray, says);
    QProcess vidlark;
    QProcessEnvironment noDisplay = QProcessEnvironment::systemEnvironment();
    noDisplay.remove("DISPLAY");
    noDisplay.remove("QT_QPA_PLATFORM");
    vidlark.setProcessEnvironment(noDisplay);
    vidlark.start(program, {option, "clip.avi"});
    QVERIFY(vidlark.waitForFinished(10000));
    QCOMPARE(vidlark.exitCode(), 0);
    const QByteArray out = vidlark.readAllStandardOutput();
    QVERIFY2(out.contains(says), out.constData());
    QVERIFY(!out.contains("Application new ok"));
}

QTEST_GUILESS_MAIN(RoadsTest)
#include "tst_roads.moc"
