// Display sleep: the screen darkens after the sleep time without keys, a key lights it, and
// while the time is 0 the desktop's screen saver is held off over a private session bus.
#include "RecordingWindow.h"
#include "ZPower.h"

#include <QDBusConnection>
#include <QProcess>
#include <QTest>

// Stands in for the desktop's screen saver on the private bus.
class FakeScreenSaver : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
public:
    QStringList calls;

public slots:
    uint Inhibit(const QString& application, const QString&) {
        calls << "Inhibit " + application;
        return 41;
    }
    void UnInhibit(uint cookie) { calls << "UnInhibit " + QString::number(cookie); }
};

class SleepTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void darkAfterTheSleepTimeUntilAKey();
    void zeroKeepsTheDisplayOn();
    void zeroWakesADarkDisplay();
    void screenSaverHeldOffWhileZero();

private:
    QWidget* overlay() const { return window->findChild<QWidget*>("screenDark"); }

    QProcess bus;
    FakeScreenSaver screenSaver;
    bool busUp = false;
    RecordingWindow* window = nullptr;
};

void SleepTest::initTestCase() {
    QCOMPARE(PM_lcdSleepTime(), -1);
    bus.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
    if (!bus.waitForStarted(5000) || !bus.waitForReadyRead(5000))
        return;
    qputenv("DBUS_SESSION_BUS_ADDRESS", bus.readLine().trimmed());
    QDBusConnection session = QDBusConnection::sessionBus();
    busUp = session.registerService("org.freedesktop.ScreenSaver") &&
            session.registerObject("/org/freedesktop/ScreenSaver", &screenSaver,
                                   QDBusConnection::ExportAllSlots);
}

void SleepTest::cleanupTestCase() {
    bus.terminate();
    bus.waitForFinished(5000);
}

void SleepTest::init() {
    window = new RecordingWindow;
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window));
    window->setFullScreenMode(true, false);
}

void SleepTest::cleanup() {
    PM_setupLcdSleepTime(0);
    delete window;
}

void SleepTest::darkAfterTheSleepTimeUntilAKey() {
    QWidget* video = window->videoSurface();
    PM_setupLcdSleepTime(1);
    QCOMPARE(PM_lcdSleepTime(), 1);
    QVERIFY(!PM_displayIsDark());
    QTRY_VERIFY_WITH_TIMEOUT(PM_displayIsDark(), 10000);
    QVERIFY(window->isScreenDark());
    QVERIFY(overlay()->isVisible());
    QCOMPARE(overlay()->geometry(), window->rect());
    QVERIFY(!video->isVisible());

    QTest::keyClick(window, Qt::Key_5);
    QVERIFY(!PM_displayIsDark());
    QVERIFY(!overlay()->isVisible());
    QVERIFY(video->isVisible());
    QCOMPARE(window->pressed, QList<int>{'5'});
    // The key started the time again.
    QTRY_VERIFY_WITH_TIMEOUT(PM_displayIsDark(), 10000);
}

void SleepTest::zeroKeepsTheDisplayOn() {
    PM_setupLcdSleepTime(1);
    PM_setupLcdSleepTime(0);
    QCOMPARE(PM_lcdSleepTime(), 0);
    QTest::qWait(2500);
    QVERIFY(!PM_displayIsDark());
    QVERIFY(!window->isScreenDark());
}

void SleepTest::zeroWakesADarkDisplay() {
    PM_setupLcdSleepTime(1);
    QTRY_VERIFY_WITH_TIMEOUT(PM_displayIsDark(), 10000);
    PM_setupLcdSleepTime(0);
    QVERIFY(!PM_displayIsDark());
    QVERIFY(window->videoSurface()->isVisible());
}

void SleepTest::screenSaverHeldOffWhileZero() {
    if (!busUp)
        QSKIP("no private session bus here");
    // Each test ends with the time at 0; letting go is not waited for.
    PM_setupLcdSleepTime(20);
    QTRY_COMPARE(screenSaver.calls.value(screenSaver.calls.size() - 1), QString("UnInhibit 41"));
    screenSaver.calls.clear();
    PM_setupLcdSleepTime(0);
    PM_setupLcdSleepTime(0);
    QCOMPARE(screenSaver.calls, QStringList{"Inhibit vidlark"});
    PM_setupLcdSleepTime(20);
    PM_setupLcdSleepTime(30);
    QTRY_COMPARE(screenSaver.calls, QStringList({"Inhibit vidlark", "UnInhibit 41"}));
}

QTEST_MAIN(SleepTest)
#include "tst_platform_sleep.moc"
