// Whatever ends the program, no process it started may outlive it, and nobody else's MPlayer may
// be touched.
#include "Handset.h"
#include "TestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

class ExitsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void noPlayerOutlivesTheProgram_data();
    void noPlayerOutlivesTheProgram();
    void programSurvivesItsPlayerCrashing();

private:
    QList<qint64> startedPlayers(VidlarkRun& run);

    Handset handset;
    QTemporaryDir clips;
    QString clip;
    QProcess bystander;
};

void ExitsTest::initTestCase() {
    QString why;
    if (!handset.start(&why))
        QSKIP(qPrintable("no X server: " + why));
    ProcessTree::adoptOrphans();
    clip = clips.filePath("clip.avi");
    QVERIFY(TestSupport::generateClip(clip, 320, 240, 30, {"-c:v", "mpeg4"}));
    // Somebody else's player, idle, which no road of ours may touch.
    bystander.start("/usr/bin/mplayer",
                    {"-slave", "-idle", "-quiet", "-vo", "null", "-ao", "null"});
    QVERIFY(bystander.waitForStarted());
}

void ExitsTest::cleanupTestCase() {
    bystander.write("quit\n");
    if (!bystander.waitForFinished(3000))
        bystander.kill();
}

// Waits until the program runs its player, and returns every process below the program.
QList<qint64> ExitsTest::startedPlayers(VidlarkRun& run) {
    QList<qint64> below;
    QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        below = run.descendants();
        for (qint64 pid : below) {
            if (ProcessTree::named("mplayer").contains(pid))
                return below;
        }
        QTest::qWait(50);
    }
    return {};
}

void ExitsTest::noPlayerOutlivesTheProgram_data() {
    QTest::addColumn<QString>("road");
    QTest::addColumn<bool>("cleanExit");
    QTest::newRow("menu exit") << "menu" << true;
    QTest::newRow("close request") << "close" << true;
    QTest::newRow("SIGTERM") << "TERM" << true;
    QTest::newRow("SIGINT") << "INT" << true;
    QTest::newRow("SIGHUP") << "HUP" << true;
    QTest::newRow("SIGKILL") << "KILL" << false;
}

void ExitsTest::noPlayerOutlivesTheProgram() {
    QFETCH(QString, road);
    QFETCH(bool, cleanExit);
    auto run = handset.play({clip});
    const QList<qint64> below = startedPlayers(*run);
    QVERIFY2(!below.isEmpty(), "the player did not start");

    if (road == "menu") {
        handset.exitFromMenu();
    } else if (road == "close") {
        const QByteArray window = handset.focusProgram();
        QVERIFY(!window.isEmpty());
        handset.x().run(QStringLiteral(VIDLARK_CLOSE_REQUEST), {QString::fromLatin1(window)});
    } else {
        const QHash<QString, int> signals_{
            {"TERM", SIGTERM}, {"INT", SIGINT}, {"HUP", SIGHUP}, {"KILL", SIGKILL}};
        ::kill(pid_t(run->pid()), signals_.value(road));
    }
    QVERIFY2(run->waitForExit(5000), run->output().constData());
    if (cleanExit) {
        QVERIFY(!run->crashed());
        QCOMPARE(run->exitCode(), 0);
    }
    QCOMPARE(ProcessTree::survivors(below, 3000), QList<qint64>());
    QVERIFY(TestSupport::processAlive(bystander.processId()));
}

void ExitsTest::programSurvivesItsPlayerCrashing() {
    auto run = handset.play({clip});
    const QList<qint64> below = startedPlayers(*run);
    QVERIFY(!below.isEmpty());
    QList<qint64> crashed;
    for (qint64 pid : ProcessTree::named("mplayer")) {
        if (below.contains(pid))
            crashed.append(pid);
    }
    QCOMPARE(crashed.size(), 1);
    ::kill(pid_t(crashed[0]), SIGSEGV);
    QCOMPARE(ProcessTree::survivors(crashed, 3000), QList<qint64>());
    // Keys that would talk to the dead player: the commands are lost, the program carries on.
    handset.focusProgram();
    handset.x().key({"2", "5", "8", "5"});
    handset.exitFromMenu();
    QVERIFY2(run->waitForExit(5000), run->output().constData());
    QVERIFY(!run->crashed());
    QCOMPARE(run->exitCode(), 0);
    QVERIFY(run->output().endsWith("exit\n\nexit3!"));
    QCOMPARE(ProcessTree::survivors(below, 3000), QList<qint64>());
    QVERIFY(TestSupport::processAlive(bystander.processId()));
}

QTEST_GUILESS_MAIN(ExitsTest)
#include "tst_exits.moc"
