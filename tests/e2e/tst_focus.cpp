// Focus moving to another X client pauses the clip once; coming back and pressing 5 resumes it.
// The embedded player never takes the focus.
#include "Handset.h"
#include "TestSupport.h"

#include <QTemporaryDir>
#include <QTest>

class FocusTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void leavingPausesOnceAndFiveResumes();

private:
    int pausesSent() const;

    Handset handset;
    QTemporaryDir work;
    QProcess otherClient;
};

void FocusTest::initTestCase() {
    QString why;
    if (!handset.start(&why))
        QSKIP(qPrintable("no X server: " + why));
    QVERIFY(TestSupport::generateClip(work.filePath("clip.avi"), 320, 240, 30, {"-c:v", "mpeg4"}));
    QProcessEnvironment environment = handset.environment();
    otherClient.setProcessEnvironment(environment);
    otherClient.start("xlogo", {"-geometry", "100x100+0+0"});
    QVERIFY(otherClient.waitForStarted());
}

void FocusTest::cleanupTestCase() {
    otherClient.kill();
    otherClient.waitForFinished();
}

int FocusTest::pausesSent() const {
    return TestSupport::readLog(work.filePath("player.log")).count("pause\n");
}

void FocusTest::leavingPausesOnceAndFiveResumes() {
    QProcessEnvironment environment = handset.environment();
    environment.insert("VIDLARK_MPLAYER", QStringLiteral(VIDLARK_RECORDING_MPLAYER));
    environment.insert("FAKE_PLAYER_LOG", work.filePath("player.log"));
    auto run = handset.play({work.filePath("clip.avi")}, {}, environment);
    const QByteArray program = handset.focusProgram();
    QVERIFY(!program.isEmpty());
    const QByteArray other = handset.x().waitForWindow("^xlogo$");
    QVERIFY(!other.isEmpty());
    QTest::qWait(1000);
    QCOMPARE(handset.x().run("xdotool", {"getwindowfocus"}).trimmed(), program);
    QCOMPARE(pausesSent(), 0);

    handset.x().focus(other);
    QVERIFY(run->waitForOutput("WindowDeactivate\n"));
    QTRY_COMPARE_WITH_TIMEOUT(pausesSent(), 1, 5000);
    handset.x().focus(other);
    QTest::qWait(500);
    QCOMPARE(pausesSent(), 1);

    handset.x().focus(program);
    handset.x().key({"5"});
    QTRY_COMPARE_WITH_TIMEOUT(pausesSent(), 2, 5000);
    QTest::qWait(500);
    QCOMPARE(handset.x().run("xdotool", {"getwindowfocus"}).trimmed(), program);

    handset.exitFromMenu();
    QVERIFY(run->waitForExit(5000));
    QCOMPARE(run->exitCode(), 0);
}

QTEST_GUILESS_MAIN(FocusTest)
#include "tst_focus.moc"
