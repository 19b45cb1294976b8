// On a real X server the video surface is a mapped native window above everything else on the
// screen, and its id reaches the processes started while video is shown; the dark screen covers
// everything too.
#include "XSession.h"
#include "ZKbMainWidget.h"

#include <QApplication>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class XcbTest : public QObject {
    Q_OBJECT
public:
    explicit XcbTest(XSession& x) : x_(x) {}

private slots:
    void videoSurfaceIdReachesChildren();
    void coversLieAboveTheScreen();

private:
    QRgb middle() const { return x_.screenshot().pixel(120, 160); }
    QByteArray windowInfo(const QByteArray& id) const { return x_.run("xwininfo", {"-id", id}); }

    XSession& x_;
};

namespace {

QByteArray childSees(const char* variable) {
    QProcess shell;
    shell.start("/bin/sh", {"-c", QStringLiteral("printf %s \"$%1\"").arg(variable)});
    shell.waitForFinished(10000);
    return shell.readAllStandardOutput();
}

} // namespace

void XcbTest::videoSurfaceIdReachesChildren() {
    ZKbMainWidget window(ZHeader::MAINDISPLAY_HEADER, nullptr, "main", 1);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.setFullScreenMode(true, false);
    const QByteArray id = QByteArray::number(quint64(window.videoSurface()->winId()));
    QCOMPARE(childSees("VIDLARK_WID"), id);
    QTRY_VERIFY(windowInfo(id).contains("Map State: IsViewable"));
    QVERIFY(windowInfo(id).contains("Width: 240"));
    QVERIFY(windowInfo(id).contains("Height: 320"));

    window.setFullScreenMode(false, false);
    QCOMPARE(childSees("VIDLARK_WID"), QByteArray());
    QTRY_VERIFY(windowInfo(id).contains("Map State: IsUnMapped"));
}

// What the player would draw is stood in for by a red background put on the surface's window
// from outside Qt (ImageMagick's display); it shows only if the surface lies above the content.
void XcbTest::coversLieAboveTheScreen() {
    QTemporaryDir dir;
    const QString red = dir.filePath("red.png");
    QImage picture(240, 320, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QVERIFY(picture.save(red));
    ZKbMainWidget window(ZHeader::MAINDISPLAY_HEADER, nullptr, "main", 1);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QRgb content = middle();
    QVERIFY(content != qRgb(0, 0, 0) && content != qRgb(255, 0, 0));

    window.setFullScreenMode(true, false);
    QTRY_COMPARE(middle(), qRgb(0, 0, 0));
    const QString id = QString::number(quint64(window.videoSurface()->winId()));
    x_.run("display", {"-window", id, red});
    QTRY_COMPARE(middle(), qRgb(255, 0, 0));
    window.setFullScreenMode(false, false);
    QTRY_COMPARE(middle(), content);

    window.setScreenDark(true);
    QTRY_COMPARE(middle(), qRgb(0, 0, 0));
    window.setScreenDark(false);
    QTRY_COMPARE(middle(), content);
}

int main(int argc, char** argv) {
    XSession x;
    if (!x.start()) {
        qWarning("no X server could be started here");
        return 1;
    }
    qputenv("DISPLAY", x.display().toLatin1());
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    XcbTest test(x);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_platform_xcb.moc"
