// The handset drawn around the screen on a real X server: the video surface and the dark screen
// lie above all else on the screen and stay inside it, and a click on a key drawn on it presses
// the screen's key.
#include "HandsetSkin.h"
#include "XSession.h"
#include "ZApplication.h"
#include "ZKbMainWidget.h"
#include "ZOptionsMenu.h"
#include "ZSoftKey.h"

#include <QtTest>
#include <cstdio>

class XcbTest : public QObject {
    Q_OBJECT
public:
    XSession x;
    QTemporaryDir bin; // holds a dbus-launch that leaves a record when run

private slots:
    // The player's picture is stood in for by a red one that ImageMagick's display puts on the
    // surface's window from outside Qt. Then the desktop asks for another size (there is no
    // window manager here to refuse it for the window); the desktop's window, the handset drawn
    // around the screen, takes its own back.
    void coversAndSize() {
        ZKbMainWidget window(ZHeader::MAINDISPLAY_HEADER, nullptr, "main", 1);
        window.setMainWidgetTitle(QStringLiteral("changed"));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QWidget* handset = window.window();
        QVERIFY(handset != &window);
        const QPoint middleAt = window.mapToGlobal(QPoint(120, 160));
        const QPoint besideAt = window.mapToGlobal(QPoint(-2, 160));
        const auto middle = [&] { return x.screenshot().pixel(middleAt); };
        const QRgb content = middle(), beside = x.screenshot().pixel(besideAt);
        QVERIFY(content != qRgb(0, 0, 0) && content != qRgb(255, 0, 0));
        window.setFullScreenMode(true, false);
        const QByteArray id = QByteArray::number(quint64(window.videoSurface()->winId()));
        QCOMPARE(qgetenv("VIDLARK_WID"), id);
        QTRY_COMPARE(middle(), qRgb(0, 0, 0));
        x.run("display", {"-window", id, "-size", "240x320", "xc:red"});
        QTRY_COMPARE(middle(), qRgb(255, 0, 0));
        QCOMPARE(x.screenshot().pixel(besideAt), beside);
        window.setFullScreenMode(false, false);
        QVERIFY(!qEnvironmentVariableIsSet("VIDLARK_WID"));
        QTRY_COMPARE(middle(), content);
        window.setScreenDark(true);
        QTRY_COMPARE(middle(), qRgb(0, 0, 0));
        QCOMPARE(x.screenshot().pixel(besideAt), beside);
        window.setScreenDark(false);
        QTRY_COMPARE(middle(), content);
        const QSize fixed = handset->size();
        const QString handsetId = QString::number(quint64(handset->winId()));
        const QByteArray size = "Width: " + QByteArray::number(fixed.width()) +
                                "\n  Height: " + QByteArray::number(fixed.height()) + '\n';
        const auto geometry = [&] { return x.run("xwininfo", {"-id", handsetId}).contains(size); };
        QVERIFY(geometry());
        x.run("xdotool", {"windowsize", handsetId, "400", "200"});
        QTRY_VERIFY(handset->size() != fixed || !geometry());
        QTRY_VERIFY(geometry());
        QCOMPARE(handset->size(), fixed);
        QCOMPARE(window.size(), QSize(240, 320));
    }

    // A click on a soft key drawn on the handset presses the screen's soft key: the left one opens
    // its menu inside the screen, the right one calls its slot.
    void softKeyClicks() {
        ZKbMainWidget window(ZHeader::MAINDISPLAY_HEADER, nullptr, "main", 1);
        auto* softKeys = new ZSoftKey(nullptr, &window, &window);
        auto* menu = new ZOptionsMenu(QRect(), &window, nullptr, 0, ZSkinService::clsZOptionsMenu);
        menu->insertItem("Exit", nullptr, nullptr, true, 2, -1);
        softKeys->setOptMenu(ZSoftKey::LEFT, menu);
        window.setSoftKey(softKeys);
        QSignalSpy right(softKeys, &ZSoftKey::rightClicked);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* skin = qobject_cast<HandsetSkin*>(window.window());
        QVERIFY(skin);
        for (const Qt::Key key : {Qt::Key_F2, Qt::Key_F1}) // a click outside the menu closes it
            QTest::mouseClick(skin, Qt::LeftButton, {}, skin->keyRect(key).center());
        QVERIFY(menu->isVisible());
        QVERIFY(QRect(window.mapToGlobal(QPoint()), window.size()).contains(menu->geometry()));
        QCOMPARE(right.count(), 1);
    }

    // With no session bus announced, nothing the windows did may start one: libdbus would run
    // the dbus-launch found first in PATH, the recording one main() puts there.
    void cleanupTestCase() { QVERIFY(!QFile::exists(bin.filePath("dbus-launch ran"))); }
};

int main(int argc, char** argv) {
    XcbTest test;
    if (!test.x.start(400, 720)) { // skipped, as CTest is told
        std::printf("SKIP: no X server: %s\n", qPrintable(test.x.error()));
        return 77;
    }
    qputenv("DISPLAY", test.x.display().toLatin1());
    qputenv("QT_QPA_PLATFORM", "xcb");
    QFile launch(test.bin.filePath("dbus-launch"));
    if (!launch.open(QIODevice::WriteOnly) ||
        launch.write("#!/bin/sh\ntouch \"$0 ran\"\nexit 1\n") < 0 ||
        !launch.setPermissions(QFile::ReadOwner | QFile::ExeOwner))
        qFatal("cannot write %s", qPrintable(launch.fileName()));
    launch.close();
    qputenv("PATH", QFile::encodeName(test.bin.path()) + ':' + qgetenv("PATH"));
    qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    qunsetenv("XDG_RUNTIME_DIR");
    ZApplication app(argc, argv);
    HandsetSkin::install();
    return QTest::qExec(&test, argc, argv);
}

#include "tst_handset_xcb.moc"
