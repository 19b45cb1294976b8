// Playback control driven for real: offscreen Qt, handset keys from the desktop keyboard, and the
// recording fake player in a temporary program directory.
#include "FakePlayerDir.h"
#include "MainWidget.h"
#include "PlayerWindow.h"
#include "StdoutCapture.h"
#include "TestSupport.h"
#include "ZLabel.h"
#include "ZNumModule.h"
#include "ZNumPickerDlg.h"
#include "ZOptionsMenu.h"
#include "ZPower.h"
#include "ZSoftKey.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <memory>

namespace {

struct PickerSeen {
    int minValue = -1;
    int maxValue = -1;
    int startValue = -1;
};

// Answers the next number picker with keys as soon as it is up; show() blocks until then.
void answerPicker(const QByteArray& digits, Qt::Key finalKey, PickerSeen* seen) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [=] {
        auto* picker = qobject_cast<ZNumPickerDlg*>(QApplication::activeModalWidget());
        if (!picker)
            return;
        poll->deleteLater();
        poll->stop();
        seen->minValue = picker->getNumModule()->minValue();
        seen->maxValue = picker->getNumModule()->maxValue();
        seen->startValue = picker->getNumModule()->value();
        QTest::keyClicks(picker, QString::fromLatin1(digits));
        QTest::keyClick(picker, finalKey);
    });
    poll->start(20);
}

} // namespace

class PlaybackTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void startsThePlayerFullScreen();
    void builtInKeys_data();
    void builtInKeys();
    void fiveTwice();
    void starTogglesScreenSleep();
    void deactivationPausesOnce();
    void jumpWhilePaused();
    void cancelledJumpSendsNothing();
    void boundKeyOverridesBuiltIn();
    void quitEndsThePlayer();
    void killallEndsOnlyThisPlayer();
    void destructionEndsThePlayer();
    void destructionEndsAPlayerThatIgnoresQuit();
    void menuExitEndsPlayWindow();

private:
    // Builds the window in the fixture's directory, shows it and starts playback.
    bool startPlaying();
    void pause();

    std::unique_ptr<FakePlayerDir> dir;
    std::unique_ptr<MainWidget> window;
};

void PlaybackTest::init() {
    dir = std::make_unique<FakePlayerDir>();
    QVERIFY(dir->isValid());
}

void PlaybackTest::cleanup() {
    window.reset();
    // A player that outlived a failed test would hold the test's output open.
    if (const qint64 pid = dir->playerPid(); pid > 0 && TestSupport::processAlive(pid))
        ::kill(pid_t(pid), SIGKILL);
    dir.reset();
}

bool PlaybackTest::startPlaying() {
    window.reset(buildPlayerWindow("clip.avi", dir->appDir()));
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get()))
        return false;
    window->playorpause();
    QDeadlineTimer deadline(20000);
    while (dir->playerPid() == 0 && !deadline.hasExpired())
        QTest::qWait(20);
    return dir->playerPid() != 0;
}

void PlaybackTest::pause() {
    QTest::keyClick(window.get(), Qt::Key_5);
    QTRY_COMPARE(dir->received(), QByteArrayList{"pause"});
    QCOMPARE(window->playState(), Paused);
}

void PlaybackTest::startsThePlayerFullScreen() {
    QVERIFY(startPlaying());
    QCOMPARE(window->playState(), Playing);
    QVERIFY(window->isFullScreenMode());
    QVERIFY(window->informationLabel()->isHidden());
    QCOMPARE(PM_lcdSleepTime(), 0);
    QVERIFY(window->playerStream());
    QCOMPARE(dir->playerWords().value(0), QByteArray("-slave"));
    QCOMPARE(dir->playerWords().last(), QByteArray("clip.avi"));
}

void PlaybackTest::builtInKeys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("paused");
    QTest::addColumn<QByteArray>("sent");
    const struct {
        const char* name;
        Qt::Key key;
        const char* command;
    } table[] = {
        {"#", Qt::Key_NumberSign, "key_down_event 111"},
        {"2", Qt::Key_2, "seek +30"},
        {"+ (F28)", Qt::Key_Plus, "seek +30"},
        {"4", Qt::Key_4, "key_down_event 57"},
        {"PageDown (Next)", Qt::Key_PageDown, "key_down_event 57"},
        {"6", Qt::Key_6, "key_down_event 48"},
        {"PageUp (Prior)", Qt::Key_PageUp, "key_down_event 48"},
        {"8", Qt::Key_8, "seek -30"},
        {"- (F29)", Qt::Key_Minus, "seek -30"},
    };
    for (const auto& row : table) {
        QTest::addRow("%s playing", row.name) << int(row.key) << false << QByteArray(row.command);
        QTest::addRow("%s paused", row.name)
            << int(row.key) << true << "pausing_keep " + QByteArray(row.command);
    }
}

void PlaybackTest::builtInKeys() {
    QFETCH(int, key);
    QFETCH(bool, paused);
    QFETCH(QByteArray, sent);
    QVERIFY(startPlaying());
    QByteArrayList expected;
    if (paused) {
        pause();
        expected << "pause";
    }
    QTest::keyClick(window.get(), Qt::Key(key));
    expected << sent;
    QTRY_COMPARE(dir->received(), expected);
    QCOMPARE(window->playState(), paused ? Paused : Playing);
}

void PlaybackTest::fiveTwice() {
    QVERIFY(startPlaying());
    QCOMPARE(PM_lcdSleepTime(), 0);

    QTest::keyClick(window.get(), Qt::Key_5);
    QCOMPARE(window->playState(), Paused);
    QVERIFY(!window->isFullScreenMode());
    QVERIFY(window->informationLabel()->isVisibleTo(window.get()));
    QCOMPARE(PM_lcdSleepTime(), 20);
    QTRY_COMPARE(dir->received(), QByteArrayList{"pause"});

    QTest::keyClick(window.get(), Qt::Key_Space);
    QCOMPARE(window->playState(), Playing);
    QVERIFY(window->isFullScreenMode());
    QVERIFY(window->informationLabel()->isHidden());
    QCOMPARE(PM_lcdSleepTime(), 0);
    QTRY_COMPARE(dir->received(), (QByteArrayList{"pause", "pause"}));
}

void PlaybackTest::starTogglesScreenSleep() {
    QVERIFY(startPlaying());
    QTest::keyClick(window.get(), Qt::Key_Asterisk);
    QCOMPARE(PM_lcdSleepTime(), 1);
    QTest::keyClick(window.get(), Qt::Key_Asterisk);
    QCOMPARE(PM_lcdSleepTime(), 0);
    pause();
    QCOMPARE(PM_lcdSleepTime(), 20);
    QTest::keyClick(window.get(), Qt::Key_Asterisk);
    QCOMPARE(PM_lcdSleepTime(), 0);
    QCOMPARE(dir->received(), QByteArrayList{"pause"});
}

void PlaybackTest::deactivationPausesOnce() {
    QVERIFY(startPlaying());
    StdoutCapture capture;
    QWidget other;
    other.show();
    other.activateWindow();
    QTRY_COMPARE(window->playState(), Paused);
    QTRY_COMPARE(dir->received(), QByteArrayList{"pause"});

    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QTRY_COMPARE(capture.text().count("WindowDeactivate\n"), 2);
    QCOMPARE(window->playState(), Paused);
    QCOMPARE(dir->received(), QByteArrayList{"pause"});
}

void PlaybackTest::jumpWhilePaused() {
    QVERIFY(startPlaying());
    pause();
    PickerSeen seen;
    answerPicker("42", Qt::Key_Return, &seen);
    window->jumpto();
    QCOMPARE(seen.minValue, 0);
    QCOMPARE(seen.maxValue, 100);
    QCOMPARE(seen.startValue, 0);
    QTRY_COMPARE(dir->received(), (QByteArrayList{"pause", "pausing_keep seek 42 1", "pause"}));
    QCOMPARE(window->playState(), Playing);
    QVERIFY(window->isFullScreenMode());
}

void PlaybackTest::cancelledJumpSendsNothing() {
    QVERIFY(startPlaying());
    pause();
    PickerSeen seen;
    answerPicker("7", Qt::Key_Escape, &seen);
    window->jumpto();
    QCOMPARE(seen.maxValue, 100);
    QCOMPARE(window->playState(), Paused);
    QTest::keyClick(window.get(), Qt::Key_2);
    // The seek after the cancel is the next thing the player hears.
    QTRY_COMPARE(dir->received(), (QByteArrayList{"pause", "pausing_keep seek +30"}));
}

void PlaybackTest::boundKeyOverridesBuiltIn() {
    QVERIFY(dir->writeFile("keyline", "53=seek +5\n35=osd\n"));
    QVERIFY(startPlaying());
    QTest::keyClick(window.get(), Qt::Key_5);
    QTest::keyClick(window.get(), Qt::Key_NumberSign);
    QTest::keyClick(window.get(), Qt::Key_2);
    QTRY_COMPARE(dir->received(), (QByteArrayList{"seek +5", "osd", "seek +30"}));
    QCOMPARE(window->playState(), Playing);
}

void PlaybackTest::quitEndsThePlayer() {
    QVERIFY(startPlaying());
    const qint64 pid = dir->playerPid();
    window->quit();
    QVERIFY(!window->playerStream());
    QCOMPARE(dir->received(), QByteArrayList{"quit"});
    QCOMPARE(PM_lcdSleepTime(), 30);
    QTRY_VERIFY(!TestSupport::processAlive(pid));
}

void PlaybackTest::killallEndsOnlyThisPlayer() {
    // Someone else's player, under the very name.
    QTemporaryDir elsewhere;
    const QString bystanderPath = elsewhere.filePath("mplayer");
    QVERIFY(QFile::copy("/bin/sleep", bystanderPath));
    QProcess bystander;
    bystander.start(bystanderPath, {"1000"});
    QVERIFY(bystander.waitForStarted());

    QVERIFY(startPlaying());
    const qint64 pid = dir->playerPid();
    StdoutCapture capture;
    window->killall();
    QVERIFY(!window->playerStream());
    QTRY_VERIFY(!TestSupport::processAlive(pid));
    QVERIFY(capture.text().endsWith("exit\n"));
    QCOMPARE(PM_lcdSleepTime(), 30);
    QVERIFY(!dir->received().contains("quit"));
    QVERIFY(TestSupport::processAlive(bystander.processId()));
    bystander.kill();
    bystander.waitForFinished();
}

void PlaybackTest::destructionEndsThePlayer() {
    QVERIFY(startPlaying());
    const qint64 pid = dir->playerPid();
    window.reset();
    QCOMPARE(dir->received(), QByteArrayList{"quit"});
    QTRY_VERIFY(!TestSupport::processAlive(pid));
}

void PlaybackTest::destructionEndsAPlayerThatIgnoresQuit() {
    QVERIFY(
        dir->writeFile("mplayer",
                       "#!/bin/sh\ntrap '' TERM INT HUP\necho \"START $$\" >>\"$FAKE_PLAYER_LOG\"\n"
                       "exec sleep 1000000\n",
                       true));
    QVERIFY(startPlaying());
    const qint64 pid = dir->playerPid();
    QVERIFY(TestSupport::processAlive(pid));
    window.reset();
    QTRY_VERIFY(!TestSupport::processAlive(pid));
}

void PlaybackTest::menuExitEndsPlayWindow() {
    QPointer<MainWidget> shown = buildPlayerWindow("clip.avi", dir->appDir());
    QTimer exitWhenPlaying;
    connect(&exitWhenPlaying, &QTimer::timeout, [&] {
        if (dir->playerPid() == 0)
            return;
        exitWhenPlaying.stop();
        shown->softKeyBar()->optMenu(ZSoftKey::LEFT)->item(2)->trigger();
    });
    exitWhenPlaying.start(20);
    playWindow(shown);
    QVERIFY(shown.isNull());
    QCOMPARE(PM_lcdSleepTime(), 30);
    QVERIFY(dir->playerPid() > 0);
    QTRY_VERIFY(!TestSupport::processAlive(dir->playerPid()));
}

QTEST_MAIN(PlaybackTest)
#include "tst_window_playback.moc"
