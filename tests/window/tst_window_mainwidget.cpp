#include "HandsetSkin.h"
#include "MainWidget.h"
#include "MediaProbe.h"
#include "PlayerWindow.h"
#include "TestSupport.h"
#include "ZApplication.h"
#include "ZLabel.h"
#include "ZMessageDlg.h"
#include "ZNumPickerDlg.h"
#include "ZOptionsMenu.h"
#include "ZPower.h"
#include "ZSoftKey.h"

#include <QAction>
#include <QElapsedTimer>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <csignal>

using Keys = QList<int>;
// Besides key codes: jump to 42 % accepted or cancelled; a key code
// with kSkin added is a click on that key of the handset drawn around the window.
enum : int { kJump = -2, kJumpCancelled = -3 };
constexpr int kSkin = 0x40000000;

class MainWidgetTest : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> dir; // the program directory, with the recording fake player
    std::unique_ptr<MainWidget> window;

    QByteArray appDir() const { return QFile::encodeName(dir->path()); }
    // "START" lines with the arguments as " [word]", "LINE" lines with what the player received,
    // but for the questions the window asks about the clip as it plays.
    QByteArrayList logged(const QByteArray& tag) const {
        QByteArrayList lines = TestSupport::logged(dir->filePath("log"), tag);
        lines.removeIf(
            [](const QByteArray& line) { return line.startsWith("pausing_keep_force get_"); });
        return lines;
    }
    // The playing player's, whose start follows the identify run's.
    qint64 playerPid() const { return logged("START").value(1).split(' ').value(0).toLongLong(); }
    ZLabel* label() const { return window->findChild<ZLabel*>("ZLabel"); }
    MainWidget* build(const QByteArray& path) const {
        MediaProbe probe(path, appDir() + "/mplayerrm");
        return buildPlayerWindow(probe, appDir());
    }

    bool startPlaying() {
        window.reset(build("clip.avi"));
        window->show();
        window->activateWindow();
        window->softKeyBar()->optMenu(ZSoftKey::LEFT)->item(0)->trigger();
        return QTest::qWaitForWindowActive(window.get()) &&
               QTest::qWaitFor([this] { return playerPid() > 0; }, 20000);
    }

    void act(int key) {
        if (key >= kSkin) {
            auto* skin = qobject_cast<HandsetSkin*>(window->window());
            QVERIFY(skin);
            const QRect rect = skin->keyRect(key - kSkin);
            QVERIFY(!rect.isEmpty());
            return QTest::mouseClick(skin, Qt::LeftButton, {}, rect.center());
        }
        if (key >= 0)
            return QTest::keyClick(window.get(), Qt::Key(key));
        QTimer answer; // the picker's show() returns once it is answered
        connect(&answer, &QTimer::timeout, [&] {
            if (auto* picker = qobject_cast<ZNumPickerDlg*>(QApplication::activeModalWidget())) {
                answer.stop();
                QTest::keyClicks(picker, "42");
                QTest::keyClick(picker, key == kJump ? Qt::Key_Return : Qt::Key_Escape);
            }
        });
        answer.start(20);
        window->jumpto();
    }

    static void keyRow(const QByteArray& name, const Keys& keys, const QByteArrayList& received,
                       PlayState state, int sleep, const QByteArray& keyline = "") {
        QTest::addRow("%s", name.constData()) << keyline << keys << received << int(state) << sleep;
    }

private slots:
    void init() {
        window.reset();
        dir = std::make_unique<QTemporaryDir>();
        TestSupport::installFakePlayer(dir->path());
        qputenv("FAKE_PLAYER_LOG", QFile::encodeName(dir->filePath("log")));
    }

    void built() {
        window.reset(build("/mmc/a.avi"));
        ZSoftKey* softKeys = window->softKeyBar();
        ZOptionsMenu* menu = softKeys->optMenu(ZSoftKey::LEFT);
        QCOMPARE((QStringList{window->mainWidgetTitle(), softKeys->text(ZSoftKey::LEFT),
                              softKeys->text(ZSoftKey::RIGHT), menu->item(0)->text(),
                              menu->item(2)->text(), label()->text()}),
                 (QStringList{"Vidlark", "选项", "关于", "继续 5", "退出",
                              "==文件信息==\n类型：avi\n大小：320*240\n帧速：25."
                              "000\n码率：321392\n长度：10.00"}));
        QVERIFY(!window->findChild<ZMessageDlg*>());
        QTest::keyClick(window.get(), Qt::Key_F2);
        QTest::keyClick(window.get(), Qt::Key_F2);
        const QList<ZMessageDlg*> about = window->findChildren<ZMessageDlg*>();
        QVERIFY(about.size() == 1 && about[0]->isVisible());
        QCOMPARE(about[0]->title() + '|' + about[0]->text(),
                 QString("关于|Vidlark ver1.4beta\nby the Vidlark developers\n基于MPlayer\n"
                         "Email:\n vidlark@example.org"));
    }

    void keys_data() {
        QTest::addColumn<QByteArray>("keyline");
        QTest::addColumn<Keys>("keys");
        QTest::addColumn<QByteArrayList>("received");
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("sleep");
        const Keys builtIn{Qt::Key_NumberSign, Qt::Key_2,        Qt::Key_Plus,
                           Qt::Key_4,          Qt::Key_PageDown, Qt::Key_6,
                           Qt::Key_PageUp,     Qt::Key_8,        Qt::Key_Minus};
        const QByteArrayList commands{
            "key_down_event 111", "seek +30",          "seek +30",
            "key_down_event 57",  "key_down_event 57", "key_down_event 48",
            "key_down_event 48",  "seek -30",          "seek -30"};
        for (int i = 0; i < builtIn.size(); ++i)
            keyRow(QByteArray::number(i) + ' ' + commands[i], {builtIn[i], Qt::Key_5, builtIn[i]},
                   {commands[i], "pause", "pausing_keep " + commands[i]}, Paused, 20);
        keyRow("5 twice", {Qt::Key_5, Qt::Key_Space}, {"pause", "pause"}, Playing, 0);
        keyRow("*", {Qt::Key_Asterisk}, {}, Playing, 1);
        keyRow("clicks on the skin", {kSkin + Qt::Key_5, kSkin + Qt::Key_8, kSkin + Qt::Key_5},
               {"pause", "pausing_keep seek -30", "pause"}, Playing, 0);
        keyRow("paused *", {Qt::Key_5, Qt::Key_Asterisk}, {"pause"}, Paused, 0);
        keyRow("bound keys first", {Qt::Key_5, Qt::Key_NumberSign, Qt::Key_2},
               {"seek +5", "osd", "seek +30"}, Playing, 0, "53=seek +5\n35=osd\n");
        keyRow("bound to nothing", {Qt::Key_5}, {""}, Playing, 0, "1=53\n");
        keyRow("bound while paused", {Qt::Key_5, Qt::Key_1, Qt::Key_5, Qt::Key_1},
               {"pause", "pausing_keep osd", "pause", "osd"}, Playing, 0, "49=osd\n");
        keyRow("jump while paused", {Qt::Key_5, kJump, Qt::Key_2},
               {"pause", "pausing_keep seek 42 1", "pause", "seek +30"}, Playing, 0);
        keyRow("cancelled jump", {Qt::Key_5, kJumpCancelled, Qt::Key_2},
               {"pause", "pausing_keep seek +30"}, Paused, 20);
    }

    void keys() {
        QFETCH(QByteArray, keyline);
        QFETCH(Keys, keys);
        QFETCH(QByteArrayList, received);
        QFETCH(int, state);
        QFETCH(int, sleep);
        QVERIFY(TestSupport::writeFile(dir->filePath("keyline"), keyline));
        QVERIFY(startPlaying());
        for (int key : keys)
            act(key);
        QTRY_COMPARE(logged("LINE"), received);
        QTRY_COMPARE(PM_lcdSleepTime(), sleep);
        QCOMPARE(window->isFullScreenMode(), state == Playing);
        QCOMPARE(label()->isHidden(), state == Playing);
    }

    void exitRoads_data() {
        QTest::addColumn<QByteArray>("road");
        QTest::addColumn<bool>("deaf");
        for (const bool deaf : {false, true}) {
            for (const char* road : {"menu", "close", "SIGTERM", "SIGINT", "SIGHUP"})
                QTest::addRow("%s%s", road, deaf ? ", 3000 keys to a deaf player" : "")
                    << QByteArray(road) << deaf;
        }
    }

    // Every road ends this window's player with what it started (and no other MPlayer: the
    // handset test); none pauses on the way out, and each leaves the display sleep time at 30.
    void exitRoads() {
        QFETCH(QByteArray, road);
        QFETCH(bool, deaf);
        if (deaf)
            qputenv("FAKE_PLAYER_DEAF", "1");
        const auto hearing = qScopeGuard([] { qunsetenv("FAKE_PLAYER_DEAF"); });
        QPointer<MainWidget> shown = build("clip.avi");
        static_cast<ZApplication*>(qApp)->setMainWidget(shown);
        QElapsedTimer exiting;
        QTimer whenPlaying;
        connect(&whenPlaying, &QTimer::timeout, [&] {
            if (playerPid() == 0 || (deaf && logged("CHILD").isEmpty()))
                return;
            whenPlaying.stop();
            for (int key = 0; deaf && key < 3000; ++key)
                QTest::keyClick(shown, Qt::Key_2);
            exiting.start();
            if (road == "menu")
                shown->softKeyBar()->optMenu(ZSoftKey::LEFT)->item(2)->trigger();
            else if (road == "close")
                shown->close();
            else
                raise(road == "SIGTERM" ? SIGTERM : road == "SIGINT" ? SIGINT : SIGHUP);
        });
        whenPlaying.start(20);
        const QByteArray trace = TestSupport::stdoutOf([&] { playWindow(shown, nullptr); });
        QVERIFY(shown.isNull());
        QVERIFY2(exiting.elapsed() < 3000, qPrintable(QString::number(exiting.elapsed())));
        QVERIFY(!logged("LINE").contains("pause"));
        QCOMPARE(PM_lcdSleepTime(), 30);
        QVERIFY(trace.contains("exit\n"));
        for (const QByteArray& pid :
             QByteArrayList{QByteArray::number(playerPid())} + logged("CHILD"))
            QTRY_VERIFY_WITH_TIMEOUT(!TestSupport::processAlive(pid.toLongLong()), 1000);
    }
};

// The handset's application object, so that termination signals end the program as they do in
// vidlark; Qt Test's crash handler would take them first.
int main(int argc, char** argv) {
    ZApplication app(argc, argv);
    HandsetSkin::install();
    MainWidgetTest test;
    QStringList args = app.arguments();
    args.insert(1, "-nocrashhandler");
    return QTest::qExec(&test, args);
}
#include "tst_window_mainwidget.moc"
