// On a real X server the video surface and the dark screen lie above all else on the screen,
// and stay inside it: the handset drawn around it shows unchanged.
#include "XSession.h"
#include "ZKbMainWidget.h"

#include <QApplication>
#include <QTest>

class XcbTest : public QObject {
    Q_OBJECT
public:
    XSession x;
    QPoint middleAt, besideAt;
    QRgb middle() const { return x.screenshot().pixel(middleAt); }
    bool besideUnchanged(QRgb before) const { return x.screenshot().pixel(besideAt) == before; }

private slots:
    // The player's picture is stood in for by a red one that ImageMagick's display puts on the
    // surface's window from outside Qt.
    void coversLieAboveTheScreen() {
        ZKbMainWidget window(ZHeader::MAINDISPLAY_HEADER, nullptr, "main", 1);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(window.window() != &window);
        middleAt = window.mapToGlobal(QPoint(120, 160));
        besideAt = window.mapToGlobal(QPoint(-2, 160));
        const QRgb content = middle(), beside = x.screenshot().pixel(besideAt);
        QVERIFY(content != qRgb(0, 0, 0) && content != qRgb(255, 0, 0));
        window.setFullScreenMode(true, false);
        const QByteArray id = QByteArray::number(quint64(window.videoSurface()->winId()));
        QCOMPARE(qgetenv("VIDLARK_WID"), id);
        QTRY_COMPARE(middle(), qRgb(0, 0, 0));
        x.run("display", {"-window", id, "-size", "240x320", "xc:red"});
        QTRY_COMPARE(middle(), qRgb(255, 0, 0));
        QVERIFY(besideUnchanged(beside));
        window.setFullScreenMode(false, false);
        QVERIFY(!qEnvironmentVariableIsSet("VIDLARK_WID"));
        QTRY_COMPARE(middle(), content);
        window.setScreenDark(true);
        QTRY_COMPARE(middle(), qRgb(0, 0, 0));
        QVERIFY(besideUnchanged(beside));
        window.setScreenDark(false);
        QTRY_COMPARE(middle(), content);
    }
};

int main(int argc, char** argv) {
    XcbTest test;
    if (!test.x.start(400, 720))
        qFatal("no X server: %s", qPrintable(test.x.error()));
    qputenv("DISPLAY", test.x.display().toLatin1());
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_platform_xcb.moc"
