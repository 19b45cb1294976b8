// The player window as built: probe, command line, title, soft keys, menu, information label,
// the about box and the meta-object the toolkit connects by.
#include "FakePlayerDir.h"
#include "MainWidget.h"
#include "PlayerWindow.h"
#include "TestSupport.h"
#include "ZLabel.h"
#include "ZMessageDlg.h"
#include "ZOptionsMenu.h"
#include "ZScrollPanel.h"
#include "ZSoftKey.h"

#include <QAction>
#include <QFile>
#include <QMetaMethod>
#include <QTest>
#include <memory>

namespace {

const QByteArray kClip = "/mmc/mmca1/clip.avi";

std::unique_ptr<MainWidget> built(const FakePlayerDir& dir, const QByteArray& path = kClip) {
    return std::unique_ptr<MainWidget>(buildPlayerWindow(path, dir.appDir()));
}

} // namespace

class MainWidgetTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void probesWithTheProbeExecutable();
    void commandLineFollowsTheProbe_data();
    void commandLineFollowsTheProbe();
    void informationText_data();
    void informationText();
    void titleSoftKeysAndMenu();
    void labelSitsInThePanel();
    void aboutBoxOnlyAfterRightSoftKey();
    void metaObject();
    void slotsInvocableByName();
};

void MainWidgetTest::cleanup() {
    qunsetenv("FAKE_PLAYER_ID");
}

void MainWidgetTest::probesWithTheProbeExecutable() {
    FakePlayerDir dir;
    QVERIFY(dir.isValid());
    // Only the probe executable is left, so a START line proves it was the one run.
    QVERIFY(QFile::remove(QFile::decodeName(dir.appDir() + "/mplayer")));
    const auto window = built(dir);
    QCOMPARE(dir.probeWords(),
             (QByteArrayList{"-identify", kClip, "-nosound", "-vc", "dummy", "-vo", "null"}));
    QCOMPARE(window->objectName(), QString::fromUtf8(kClip));
    QCOMPARE(window->playState(), Idle);
    QVERIFY(!window->playerStream());
}

void MainWidgetTest::commandLineFollowsTheProbe_data() {
    QTest::addColumn<QByteArray>("idLines");
    QTest::addColumn<QByteArray>("player");
    QTest::addColumn<QByteArray>("chain");
    QTest::newRow("320x240 avi") << QByteArray() << QByteArray("mplayer")
                                 << QByteArray("rotate=2,crop=240:320 -subrotate 2");
    QTest::newRow("RealMedia 176x144")
        << QByteArray("ID_DEMUXER=real\nID_VIDEO_WIDTH=176\nID_VIDEO_HEIGHT=144")
        << QByteArray("mplayerrm") << QByteArray("expand=240:320::::3/4,crop=240:320");
    QTest::newRow("probe without video lines") << QByteArray("ID_EXIT=EOF") << QByteArray("mplayer")
                                               << QByteArray("expand=240:320::::3/4,crop=240:320");
}

void MainWidgetTest::commandLineFollowsTheProbe() {
    QFETCH(QByteArray, idLines);
    QFETCH(QByteArray, player);
    QFETCH(QByteArray, chain);
    if (!idLines.isEmpty())
        qputenv("FAKE_PLAYER_ID", idLines);
    FakePlayerDir dir;
    const auto window = built(dir);
    QCOMPARE(window->playerExecutable(), player);
    const QByteArray command = window->playerCommandLine();
    QVERIFY2(command.startsWith(dir.appDir() + '/' + player + " -slave -quiet "), command);
    QVERIFY2(command.contains(" -vf " + chain + " -af "), command);
    QVERIFY2(command.endsWith(" \"" + kClip + '"'), command);
}

void MainWidgetTest::informationText_data() {
    QTest::addColumn<QByteArray>("idLines");
    QTest::addColumn<bool>("playerPresent");
    QTest::addColumn<QString>("text");
    QTest::newRow("probed avi")
        << QByteArray() << true
        << QString(
               "==文件信息==\n类型：avi\n大小：320*240\n帧速：25.000\n码率：321392\n长度：10.00");
    QTest::newRow("failed probe")
        << QByteArray("ID_EXIT=EOF") << true
        << QString("==文件信息==\n类型：unknow\n大小：0*0\n帧速：0.0\n码率：0\n长度：0.0");
    QTest::newRow("no player at all")
        << QByteArray() << false
        << QString("==文件信息==\n类型：unknow\n大小：0*0\n帧速：0.0\n码率：0\n长度：0.0");
    QTest::newRow("audio only")
        << QByteArray("ID_DEMUXER=lavfpref\nID_LENGTH=3.50") << true
        << QString("==文件信息==\n类型：lavfpref\n大小：0*0\n帧速：0.0\n码率：0\n长度：3.50");
}

void MainWidgetTest::informationText() {
    QFETCH(QByteArray, idLines);
    QFETCH(bool, playerPresent);
    QFETCH(QString, text);
    if (!idLines.isEmpty())
        qputenv("FAKE_PLAYER_ID", idLines);
    FakePlayerDir dir;
    if (!playerPresent)
        QVERIFY(QFile::remove(QFile::decodeName(dir.appDir() + "/mplayerrm")));
    const auto window = built(dir);
    QCOMPARE(window->informationLabel()->text(), text);
}

void MainWidgetTest::titleSoftKeysAndMenu() {
    FakePlayerDir dir;
    const auto window = built(dir);
    QCOMPARE(window->mainWidgetTitle(), QString("Vidlark"));
    ZSoftKey* keys = window->softKeyBar();
    QVERIFY(keys);
    QCOMPARE(keys->text(ZSoftKey::LEFT), QString("选项"));
    QCOMPARE(keys->text(ZSoftKey::RIGHT), QString("关于"));
    ZOptionsMenu* menu = keys->optMenu(ZSoftKey::LEFT);
    QVERIFY(menu);
    QCOMPARE(menu->actions().size(), 2);
    QCOMPARE(menu->actions().at(0), menu->item(0));
    QCOMPARE(menu->actions().at(1), menu->item(2));
    QCOMPARE(menu->item(0)->text(), QString("继续 5"));
    QCOMPARE(menu->item(2)->text(), QString("退出"));
    QVERIFY(menu->item(0)->isEnabled() && menu->item(2)->isEnabled());
}

void MainWidgetTest::labelSitsInThePanel() {
    FakePlayerDir dir;
    const auto window = built(dir);
    auto* panel = window->findChild<ZScrollPanel*>();
    QVERIFY(panel);
    ZLabel* label = window->informationLabel();
    QVERIFY(panel->isAncestorOf(label));
    QCOMPARE(label->pos(), QPoint(10, 10));
    QCOMPARE(label->width(), 220);
    QCOMPARE(label->objectName(), QString("ZLabel"));
}

void MainWidgetTest::aboutBoxOnlyAfterRightSoftKey() {
    FakePlayerDir dir;
    const auto window = built(dir);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QVERIFY(!window->aboutDialog());
    QVERIFY(!window->findChild<ZMessageDlg*>());

    QTest::keyClick(window.get(), Qt::Key_F2);
    ZMessageDlg* about = window->aboutDialog();
    QVERIFY(about);
    QTRY_VERIFY(about->isVisible());
    QCOMPARE(about->title(), QString("关于"));
    QCOMPARE(about->text(), QString("Vidlark ver1.4beta\nby the Vidlark developers\n基于MPlayer\n"
                                    "Email:\n vidlark@example.org"));
    QCOMPARE(about->objectName(), QString("about"));
    QVERIFY(about->isModal());

    about->hide();
    QTest::keyClick(window.get(), Qt::Key_F2);
    QCOMPARE(window->aboutDialog(), about);
    QTRY_VERIFY(about->isVisible());
    QCOMPARE(window->findChildren<ZMessageDlg*>().size(), 1);
}

void MainWidgetTest::metaObject() {
    const QMetaObject& meta = MainWidget::staticMetaObject;
    QCOMPARE(meta.className(), "MainWidget");
    QVERIFY(meta.superClass());
    QCOMPARE(meta.superClass()->className(), "ZKbMainWidget");
    QByteArrayList publicSlots;
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
        const QMetaMethod method = meta.method(i);
        if (method.methodType() == QMetaMethod::Slot && method.access() == QMetaMethod::Public)
            publicSlots << method.methodSignature();
    }
    QCOMPARE(publicSlots,
             (QByteArrayList{"playorpause()", "jumpto()", "quit()", "about()", "killall()"}));
}

void MainWidgetTest::slotsInvocableByName() {
    FakePlayerDir dir;
    const auto window = built(dir);
    QVERIFY(QMetaObject::invokeMethod(window.get(), "about"));
    QVERIFY(window->aboutDialog());
    window->aboutDialog()->hide();
    QVERIFY(QMetaObject::invokeMethod(window.get(), "playorpause"));
    QCOMPARE(window->playState(), Playing);
    QTRY_VERIFY(dir.playerPid() > 0);
    const qint64 pid = dir.playerPid();
    QVERIFY(QMetaObject::invokeMethod(window.get(), "quit"));
    QVERIFY(!window->playerStream());
    QVERIFY(dir.received().endsWith("quit"));
    QTRY_VERIFY(!TestSupport::processAlive(pid));
}

QTEST_MAIN(MainWidgetTest)
#include "tst_window_mainwidget.moc"
