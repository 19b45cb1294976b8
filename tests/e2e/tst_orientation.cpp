// Plays generated clips with the real MPlayer inside the emulated screen under a private X server
// and checks where the picture lands. The screenshots are kept for people to look at.
#include "Handset.h"
#include "TestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

class OrientationTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void pictureFillsThePortraitScreen_data();
    void pictureFillsThePortraitScreen();

private:
    Handset handset;
    QTemporaryDir clips;
};

namespace {

// Two colour halves side by side (or stacked), so a turn shows where each half goes.
QString halves(int width, int height, bool stacked, const char* first, const char* second) {
    const int w = stacked ? width : width / 2;
    const int h = stacked ? height / 2 : height;
    return QStringLiteral("color=c=%1:s=%3x%4:r=25[a];color=c=%2:s=%3x%4:r=25[b];[a][b]%5")
        .arg(first, second)
        .arg(w)
        .arg(h)
        .arg(stacked ? "vstack" : "hstack");
}

bool near(QRgb pixel, QRgb colour) {
    return qAbs(qRed(pixel) - qRed(colour)) < 60 && qAbs(qGreen(pixel) - qGreen(colour)) < 60 &&
           qAbs(qBlue(pixel) - qBlue(colour)) < 60;
}

} // namespace

void OrientationTest::initTestCase() {
    QString why;
    if (!handset.start(&why))
        QSKIP(qPrintable("no X server: " + why));
    QDir().mkpath(VIDLARK_SCREENSHOT_DIR);
}

void OrientationTest::pictureFillsThePortraitScreen_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<QString>("source");
    // Points of the 240x320 screen and the colour each must show.
    QTest::addColumn<QList<QPoint>>("points");
    QTest::addColumn<QList<QRgb>>("colours");
    const QRgb red = qRgb(255, 0, 0), blue = qRgb(0, 0, 255), green = qRgb(0, 128, 0);
    const QRgb black = qRgb(0, 0, 0);
    QTest::newRow("320x240 turns: left half at the bottom")
        << 320 << 240 << halves(320, 240, false, "red", "blue")
        << QList<QPoint>{{120, 40}, {120, 280}, {20, 60}, {220, 260}}
        << QList<QRgb>{blue, red, blue, red};
    QTest::newRow("240x320 fills unturned")
        << 240 << 320 << halves(240, 320, true, "red", "blue")
        << QList<QPoint>{{120, 40}, {120, 280}, {10, 10}, {230, 310}}
        << QList<QRgb>{red, blue, red, blue};
    QTest::newRow("176x144 is padded")
        << 176 << 144 << QStringLiteral("color=c=green:s=176x144:r=25")
        << QList<QPoint>{{120, 160}, {10, 160}, {230, 160}, {120, 10}, {120, 310}}
        << QList<QRgb>{green, black, black, black, black};
}

void OrientationTest::pictureFillsThePortraitScreen() {
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(QString, source);
    QFETCH(QList<QPoint>, points);
    QFETCH(QList<QRgb>, colours);
    const QString name = QStringLiteral("%1x%2").arg(width).arg(height);
    const QString clip = clips.filePath(name + ".avi");
    QVERIFY(
        TestSupport::generateClip(clip, width, height, 8, {"-c:v", "mpeg4", "-q:v", "2"}, source));

    auto run = handset.play({clip});
    QVERIFY2(run->started(), "vidlark did not start");
    QImage shot;
    // The player needs a moment to open its output and draw the first frames.
    QTRY_VERIFY_WITH_TIMEOUT(
        (shot = handset.x().screenshot(), near(shot.pixel(points[0]), colours[0])), 15000);
    shot.save(QStringLiteral(VIDLARK_SCREENSHOT_DIR "/playing-%1.png").arg(name));
    for (qsizetype i = 0; i < points.size(); ++i) {
        const QRgb pixel = shot.pixel(points[i]);
        QVERIFY2(near(pixel, colours[i]), qPrintable(QStringLiteral("at %1,%2: %3")
                                                         .arg(points[i].x())
                                                         .arg(points[i].y())
                                                         .arg(pixel, 8, 16)));
    }
    ::kill(pid_t(run->pid()), SIGTERM);
    QVERIFY(run->waitForExit(10000));
    QCOMPARE(run->exitCode(), 0);
}

QTEST_GUILESS_MAIN(OrientationTest)
#include "tst_orientation.moc"
