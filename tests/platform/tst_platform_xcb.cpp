// On a real X server the video surface is a mapped native window whose id reaches the processes
// started while video is shown.
#include "XSession.h"
#include "ZKbMainWidget.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QTest>
#include <QThread>
#include <memory>

class XcbTest : public QObject {
    Q_OBJECT
public:
    explicit XcbTest(XSession& x) : x_(x) {}

private slots:
    void videoSurfaceIdReachesChildren();

private:
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

// Xvfb names its display a moment before it takes connections, and a server started at the same
// moment by someone else can take the display from under it; another try then gets another one.
std::unique_ptr<XSession> startX() {
    for (int attempt = 0; attempt < 3; ++attempt) {
        auto x = std::make_unique<XSession>();
        if (!x->start())
            return nullptr;
        QDeadlineTimer deadline(5000);
        while (!deadline.hasExpired()) {
            if (!x->run("xdpyinfo", {}).isEmpty())
                return x;
            QThread::msleep(50);
        }
    }
    return nullptr;
}

int main(int argc, char** argv) {
    const std::unique_ptr<XSession> x = startX();
    if (!x) {
        qWarning("no X server could be started here");
        return 1;
    }
    qputenv("DISPLAY", x->display().toLatin1());
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    XcbTest test(*x);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_platform_xcb.moc"
