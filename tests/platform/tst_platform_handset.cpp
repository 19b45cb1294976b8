// The emulated handset worked from the desktop: keys, soft keys, screens, dialogs, sleep.
#include "ZKbMainWidget.h"
#include "ZMessageDlg.h"
#include "ZOptionsMenu.h"
#include "ZPower.h"
#include "ZSoftKey.h"

#include <QVBoxLayout>
#include <QtTest>

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

class HandsetTest : public QObject {
    Q_OBJECT
    RecordingWindow* window = nullptr;
    ZSoftKey* softKeys = nullptr;
    ZOptionsMenu* menu = nullptr;

    QRect screen() const { return {window->mapToGlobal(QPoint()), window->size()}; }

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

    // A key, the character it types (0 for none) and the code the window gets: the handset's
    // keys (F1 and F2 arrive only without a soft-key bar), other keys' own 16-bit codes, which
    // none of the handset's keys has, or dropped (-1) before the window.
    void keyCodes_data() {
        QTest::addColumn<int>("qtKey");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("code");
        // The keys that drive the player (#, +, -, Space, PageUp, PageDown, digits) are shown
        // to arrive by the commands they give in the window's own test.
        const int handsetKeys[][3]{
            {Qt::Key_0, '0', 48},      {Qt::Key_9, '9', 57},        {Qt::Key_Asterisk, '*', 42},
            {Qt::Key_Left, 0, 0x1012}, {Qt::Key_Up, 0, 0x1013},     {Qt::Key_Right, 0, 0x1014},
            {Qt::Key_Down, 0, 0x1015}, {Qt::Key_Return, 0, 0x1004}, {Qt::Key_Enter, 0, 0x1004},
            {Qt::Key_F1, 0, 0x1030},   {Qt::Key_F2, 0, 0x1031}};
        const int otherKeys[][3]{
            {Qt::Key_Escape, 0x1b, 0x1000}, {Qt::Key_F3, 0, 0x1032},  {Qt::Key_A, 'a', 65},
            {Qt::Key_Equal, '=', 61},       {0x4e2d, 0x4e2d, 0x4e2d}, {0xfffd, 0xfffd, 0xfffd},
            {Qt::Key_unknown, 0xe4, 0xe4},  {0x1012, 0x1012, -1},     {Qt::Key_unknown, 0x1004, -1},
            {Qt::Key_unknown, 0, -1},       {0x1f600, 0x1f600, -1},   {0, 0x1f600, -1},
            {Qt::Key_Select, 0, -1},        {Qt::Key_Call, 0, -1},    {Qt::Key_Shift, 0, -1},
            {Qt::Key_Control, 0, -1},       {Qt::Key_AltGr, 0, -1},   {Qt::Key_CapsLock, 0, -1}};
        const auto add = [](const auto& rows) {
            for (const auto& [qtKey, typed, code] : rows)
                QTest::addRow("%s typing U+%04X", qPrintable(QKeySequence(qtKey).toString()), typed)
                    << qtKey << (typed ? QStringView(QChar::fromUcs4(typed)).toString() : QString())
                    << code;
        };
        add(handsetKeys);
        add(otherKeys);
    }

    void keyCodes() {
        QFETCH(int, qtKey);
        QFETCH(QString, text);
        QFETCH(int, code);
        RecordingWindow plain;
        QTest::sendKeyEvent(QTest::Click, &plain, Qt::Key(qtKey), text, {});
        QCOMPARE(plain.pressed + plain.released,
                 (code < 0 ? QList<int>() : QList<int>{code, code}));
    }

    // The left soft key, from F1 or a click on the bar, opens the menu inside the screen on its
    // first item; the right one calls its slot; neither is a key to the window.
    void softKeysAndMenu() {
        const auto click = [](QWidget* on, QPoint at) {
            QTest::mouseClick(on, Qt::LeftButton, {}, at);
        };
        QTest::keyClick(window, Qt::Key_F1);
        QVERIFY(menu->isVisible() && screen().contains(menu->geometry()));
        QTest::keyClick(menu, Qt::Key_Escape);
        QTRY_VERIFY(!menu->isVisible());
        click(softKeys, QPoint(10, 10));
        QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Return);
        QTest::keyClick(window, Qt::Key_F2);
        click(softKeys, QPoint(softKeys->width() - 10, 10));
        QTRY_COMPARE(window->calls, QStringList({"second", "right", "right"}));
        QVERIFY(window->pressed.isEmpty() && window->released.isEmpty());
    }

    // The video surface keeps one native window, so the player goes on drawing into it after a
    // pause, and it never takes the keys. The display goes dark after the sleep time, over the
    // video too, until a key, which still reaches the window, or a sleep time of 0.
    void screenModesAndSleep() {
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
        PM_setupLcdSleepTime(1);
        QTRY_VERIFY_WITH_TIMEOUT(PM_displayIsDark(), 10000);
        QCOMPARE(window->childAt(120, 160), window->findChild<QWidget*>("screenDark"));
        QVERIFY(!surface->isVisible());
        QTest::keyClick(window, Qt::Key_5);
        QVERIFY(!window->isScreenDark() && surface->isVisible());
        QCOMPARE(window->pressed, QList<int>{'5'});
        QTRY_VERIFY_WITH_TIMEOUT(PM_displayIsDark(), 10000);
        PM_setupLcdSleepTime(1);
        PM_setupLcdSleepTime(0);
        QVERIFY(!window->isScreenDark() && surface->isVisible());
        QTest::qWait(1500);
        QVERIFY(!PM_displayIsDark());
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
};

QTEST_MAIN(HandsetTest)
#include "tst_platform_handset.moc"
