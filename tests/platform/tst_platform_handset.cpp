// The emulated handset worked from the desktop: keys, soft keys, screens, dialogs, sleep.
#include "HandsetKeys.h"
#include "HandsetSkin.h"
#include "MemoryCard.h"
#include "ZKbMainWidget.h"
#include "ZMessageDlg.h"
#include "ZNumModule.h"
#include "ZNumPickerDlg.h"
#include "ZOptionsMenu.h"
#include "ZPower.h"
#include "ZSoftKey.h"

#include <QDBusConnection>
#include <QKeyEvent>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

// F1 and F2 arrive as keys only in a window without a soft-key bar.
static const QList<QPair<int, int>> keyTable{
    {Qt::Key_0, 48},          {Qt::Key_9, 57},          {Qt::Key_Asterisk, 42},
    {Qt::Key_NumberSign, 35}, {Qt::Key_Left, 0x1012},   {Qt::Key_Up, 0x1013},
    {Qt::Key_Right, 0x1014},  {Qt::Key_Down, 0x1015},   {Qt::Key_Return, 0x1004},
    {Qt::Key_Enter, 0x1004},  {Qt::Key_PageUp, 0x1016}, {Qt::Key_PageDown, 0x1017},
    {Qt::Key_Space, 0x1049},  {Qt::Key_Plus, 0x104B},   {Qt::Key_Minus, 0x104C},
    {Qt::Key_F1, 0x1030},     {Qt::Key_F2, 0x1031}};

// Remembers the key codes its handlers get and the slots its soft keys and menu call.
class RecordingWindow : public ZKbMainWidget {
    Q_OBJECT
public:
    RecordingWindow() : ZKbMainWidget(ZHeader::MAINDISPLAY_HEADER, nullptr, "recording", 1) {}
    QList<int> pressed, released;
    QStringList calls;

public slots:
    void first() { calls << "first"; }
    void second() { calls << "second"; }
    void right() { calls << "right"; }

protected:
    void keyPressEvent(QKeyEvent* event) override { pressed << event->key(); }
    void keyReleaseEvent(QKeyEvent* event) override { released << event->key(); }
};

// The test stands in for the desktop's screen saver on a private session bus, too.
class HandsetTest : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
    QStringList screenSaverCalls;
    RecordingWindow* window = nullptr;
    ZSoftKey* softKeys = nullptr;
    ZOptionsMenu* menu = nullptr;

    QRect screen() const { return {window->mapToGlobal(QPoint()), window->size()}; }

public slots:
    uint Inhibit(const QString& application, const QString&) {
        screenSaverCalls << "Inhibit " + application;
        return 41;
    }
    void UnInhibit(uint cookie) { screenSaverCalls << "UnInhibit " + QString::number(cookie); }

private slots:
    void init() {
        window = new RecordingWindow;
        softKeys = new ZSoftKey(nullptr, window, window);
        menu = new ZOptionsMenu(QRect(), window, nullptr, 0, ZSkinService::clsZOptionsMenu);
        menu->insertItem("Continue", nullptr, nullptr, true, 0, 0);
        menu->insertItem("Exit", nullptr, nullptr, true, 2, -1);
        QVERIFY(menu->connectItem(0, window, SLOT(first())));
        QVERIFY(menu->connectItem(2, window, SLOT(second())));
        softKeys->setOptMenu(ZSoftKey::LEFT, menu);
        softKeys->setClickedSlot(ZSoftKey::RIGHT, window, SLOT(right()));
        window->setSoftKey(softKeys);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window));
    }

    void cleanup() {
        PM_setupLcdSleepTime(0);
        delete window;
    }

    // Without a session bus nothing is said; with one, a sleep time of 0 holds the screen
    // saver off. First, so that no test before it talks to the desktop's own bus.
    void screenSaverHeldOffWhileZero() {
        qunsetenv("DBUS_SESSION_BUS_ADDRESS");
        qunsetenv("XDG_RUNTIME_DIR");
        QTest::failOnWarning(QRegularExpression(".*"));
        PM_setupLcdSleepTime(20);
        PM_setupLcdSleepTime(0);
        QProcess bus;
        bus.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
        if (!bus.waitForReadyRead(5000))
            QSKIP("no private session bus here");
        qputenv("DBUS_SESSION_BUS_ADDRESS", bus.readLine().trimmed());
        QDBusConnection session = QDBusConnection::sessionBus();
        QVERIFY(session.registerService("org.freedesktop.ScreenSaver"));
        QVERIFY(session.registerObject("/org/freedesktop/ScreenSaver", this,
                                       QDBusConnection::ExportAllSlots));
        for (int seconds : {1, 0, 0, 20, 30})
            PM_setupLcdSleepTime(seconds);
        QTRY_COMPARE(screenSaverCalls, QStringList({"Inhibit vidlark", "UnInhibit 41"}));
        qunsetenv("DBUS_SESSION_BUS_ADDRESS");
        bus.terminate();
        bus.waitForFinished(5000);
    }

    // The table's keys, then other keys: a 16-bit code of their own that none of the table's
    // keys has, or dropped (-1) before they reach the window.
    void keyCodes_data() {
        QTest::addColumn<int>("qtKey");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("code");
        for (const auto& [qtKey, code] : keyTable)
            QTest::newRow(qPrintable(QKeySequence(qtKey).toString()))
                << qtKey << (qtKey < 0x01000000 ? QString(QChar(qtKey)) : QString()) << code;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << u"\x1b"_s << 0x1000;
        QTest::newRow("F3") << int(Qt::Key_F3) << QString() << 0x1032;
        QTest::newRow("a") << int(Qt::Key_A) << u"a"_s << 65;
        QTest::newRow("=") << int(Qt::Key_Equal) << u"="_s << 61;
        QTest::newRow("U+4E2D") << 0x4e2d << u"中"_s << 0x4e2d;
        QTest::newRow("U+FFFD") << 0xfffd << u"\ufffd"_s << 0xfffd;
        QTest::newRow("unnamed key typing ä") << int(Qt::Key_unknown) << u"ä"_s << 0xe4;
        QTest::newRow("U+1012, Left's code") << 0x1012 << u"\u1012"_s << -1;
        QTest::newRow("unnamed key typing U+1004") << int(Qt::Key_unknown) << u"\u1004"_s << -1;
        QTest::newRow("unnamed key typing nothing") << int(Qt::Key_unknown) << QString() << -1;
        QTest::newRow("U+1F600") << 0x1f600 << u"😀"_s << -1;
        QTest::newRow("unnamed key typing U+1F600") << 0 << u"😀"_s << -1;
        QTest::newRow("Select") << int(Qt::Key_Select) << QString() << -1;
        QTest::newRow("Call") << int(Qt::Key_Call) << QString() << -1;
    }

    void keyCodes() {
        QFETCH(int, qtKey);
        QFETCH(QString, text);
        QFETCH(int, code);
        RecordingWindow plain;
        QTest::sendKeyEvent(QTest::Click, &plain, Qt::Key(qtKey), text, {});
        const QList<int> expected = code < 0 ? QList<int>() : QList<int>{code, code};
        QCOMPARE(plain.pressed + plain.released, expected);
    }

    // The left key opens the menu inside the screen, on its first item; the right one calls its
    // slot. Neither reaches the window as a key.
    void softKeysAndMenu() {
        QTest::keyClick(window, Qt::Key_F1);
        QVERIFY(menu->isVisible() && screen().contains(menu->geometry()));
        QTest::keyClick(menu, Qt::Key_Escape);
        QTRY_VERIFY(!menu->isVisible());
        QTest::mouseClick(softKeys, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Return);
        QTest::keyClick(window, Qt::Key_F1);
        QTest::keyClick(menu, Qt::Key_Return);
        QTest::keyClick(window, Qt::Key_F2);
        QTest::mouseClick(softKeys, Qt::LeftButton, {}, QPoint(softKeys->width() - 10, 10));
        QTRY_COMPARE(window->calls, QStringList({"second", "first", "right", "right"}));
        QVERIFY(window->pressed.isEmpty());
    }

    // A desktop key held down shows its key on the skin pressed; a click on a skin key is that
    // key's press and release, and the soft keys' clicks press the soft keys.
    void skinKeys() {
        auto* skin = qobject_cast<HandsetSkin*>(window->window());
        QVERIFY(skin);
        const QRect five = skin->keyRect(Qt::Key_5);
        const QImage up = skin->grab(five).toImage();
        QTest::keyPress(window, Qt::Key_5);
        QVERIFY(skin->grab(five).toImage() != up);
        QTest::keyRelease(window, Qt::Key_5);
        QCOMPARE(skin->grab(five).toImage(), up);
        QTest::mouseClick(skin, Qt::LeftButton, {}, five.center());
        QTest::mouseClick(skin, Qt::LeftButton, {}, skin->keyRect(Qt::Key_F2).center());
        QTest::mouseClick(skin, Qt::LeftButton, {}, skin->keyRect(Qt::Key_F1).center());
        QVERIFY(menu->isVisible() && screen().contains(menu->geometry()));
        QCOMPARE(window->pressed + window->released, QList<int>({53, 53, 53, 53}));
        QCOMPARE(window->calls, QStringList{"right"});
    }

    // -card wins; without it the handset's card, else the desktop's videos folder, else home.
    void memoryCard() {
        if (QFileInfo::exists("/mmc/mmca1/"))
            QSKIP("this machine has a handset's memory card");
        const QByteArray home = qgetenv("HOME"), config = qgetenv("XDG_CONFIG_HOME");
        const auto restore = qScopeGuard([&] {
            qputenv("HOME", home);
            qputenv("XDG_CONFIG_HOME", config);
        });
        QTemporaryDir fresh;
        qputenv("HOME", QFile::encodeName(fresh.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(fresh.filePath(".config")));
        QCOMPARE(MemoryCard::path(), fresh.path());
        QVERIFY(QDir(fresh.path()).mkdir("Videos"));
        QCOMPARE(MemoryCard::path(), fresh.filePath("Videos"));
        MemoryCard::setPath("/srv/card");
        QCOMPARE(MemoryCard::path(), QString("/srv/card"));
        MemoryCard::setPath({});
    }

    // The video surface keeps one native window, so the player goes on drawing into it after a
    // pause, and it never takes the keys.
    void screenModes() {
        QWidget* content = window->getVBoxLayout()->parentWidget();
        const QRect framed = content->geometry();
        QCOMPARE(window->size(), QSize(240, 320));
        QVERIFY(framed.top() > 0 && framed.bottom() + 1 == softKeys->y());
        QCOMPARE(softKeys->geometry().bottom(), 319);
        window->setFullScreenMode(true, true);
        QCOMPARE(content->geometry(), window->rect());
        QVERIFY(!softKeys->isVisible() && !window->videoSurface());
        window->setFullScreenMode(true, false);
        QWidget* surface = window->videoSurface();
        QCOMPARE(window->childAt(120, 160), surface);
        const WId id = surface->winId();
        QTRY_COMPARE(QApplication::focusWidget(), window);
        window->setFullScreenMode(false, false);
        QCOMPARE(content->geometry(), framed);
        QVERIFY(softKeys->isVisible() && !surface->isVisible());
        window->setFullScreenMode(true, false);
        QCOMPARE(window->videoSurface(), surface);
        QCOMPARE(surface->winId(), id);
    }

    // Bounds 10 to 500, start value 70; "\r" is Return, "\x1b" Escape.
    void numberPicker_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("Return") << "42\r" << 42 << true;
        QTest::newRow("nothing typed") << "\r" << 70 << true;
        QTest::newRow("Escape") << "42\x1b" << 70 << false;
        QTest::newRow("above the maximum") << "999\r" << 500 << true;
        QTest::newRow("below the minimum") << "5\r" << 10 << true;
        QTest::newRow("three digits at most") << "1234\r" << 123 << true;
    }

    // Shown inside the screen; the caller releases the picker, then the module.
    void numberPicker() {
        QFETCH(QString, keys);
        QFETCH(int, number);
        auto* picker = new ZNumPickerDlg(3, nullptr, "jump", 0);
        QPointer<ZNumModule> module = picker->getNumModule();
        module->setMaxValue(500);
        module->setMinValue(10);
        module->setValue(70);
        QTimer::singleShot(0, picker, [&] { QTest::keyClicks(picker, keys); });
        picker->show();
        QVERIFY(screen().contains(picker->geometry()));
        QCOMPARE(picker->getNumValue(), number);
        QTEST(picker->wasAccepted(), "accepted");
        delete picker;
        QVERIFY(module);
        QCOMPARE(module->value(), number);
        delete module.data();
    }

    // show() returns at once and leaves the message up inside the screen.
    void messageCloses() {
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape, Qt::Key_F1, Qt::Key_F2}) {
            ZMessageDlg message("About", "Vidlark", ZMessageDlg::TypeOK, 0, window, "m", true, 0);
            message.show();
            QVERIFY(message.isVisible() && screen().contains(message.geometry()));
            QTest::keyClick(&message, key);
            QVERIFY2(!message.isVisible(), qPrintable(QKeySequence(key).toString()));
        }
    }

    void darkAfterTheSleepTimeUntilAKeyOrZero() {
        window->setFullScreenMode(true, false);
        QWidget* video = window->videoSurface();
        PM_setupLcdSleepTime(1);
        QTRY_VERIFY_WITH_TIMEOUT(PM_displayIsDark(), 10000);
        QCOMPARE(window->childAt(120, 160), window->findChild<QWidget*>("screenDark"));
        QVERIFY(!video->isVisible());
        QTest::keyClick(window, Qt::Key_5);
        QVERIFY(!window->isScreenDark() && video->isVisible());
        QCOMPARE(window->pressed, QList<int>{'5'});
        QTRY_VERIFY_WITH_TIMEOUT(PM_displayIsDark(), 10000);
        PM_setupLcdSleepTime(1);
        PM_setupLcdSleepTime(0);
        QVERIFY(!window->isScreenDark() && video->isVisible());
        QTest::qWait(1500);
        QVERIFY(!PM_displayIsDark());
    }
};

QTEST_MAIN(HandsetTest)
#include "tst_platform_handset.moc"
