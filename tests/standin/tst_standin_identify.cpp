#include "TestSupport.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr double kClipSeconds = 4;
// Long enough that a run which plays the clip through cannot pass for an identify run.
constexpr double kLongClipSeconds = 30;

// The last value of each ID_ line of the output.
QMap<QByteArray, QByteArray> identifyLines(const QByteArray& output) {
    QMap<QByteArray, QByteArray> values;
    for (const QByteArray& line : output.split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (line.startsWith("ID_") && equals > 0)
            values[line.left(equals)] = line.mid(equals + 1).trimmed();
    }
    return values;
}

} // namespace

class IdentifyTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void printsClipProperties_data();
    void printsClipProperties();

private:
    QString path(const QString& name) const { return dir_.filePath(name); }

    QTemporaryDir dir_;
};

void IdentifyTest::initTestCase() {
    QVERIFY(dir_.isValid());
    using TestSupport::generateClip;
    QVERIFY(generateClip(path("clip.avi"), 320, 240, kLongClipSeconds, {"-c:v", "mpeg4"}));
    QVERIFY(generateClip(path("clip.mp4"), 640, 480, kClipSeconds));
    QVERIFY(generateClip(path("clip.3gp"), 176, 144, kClipSeconds,
                         {"-c:v", "h263", "-c:a", "aac", "-ar", "16000", "-ac", "1"}));
    QVERIFY(generateClip(path("clip.mkv"), 320, 240, kClipSeconds));
    QVERIFY(generateClip(path("clip.rm"), 320, 240, kClipSeconds, {"-c:v", "rv10", "-an"}));
}

void IdentifyTest::printsClipProperties_data() {
    QTest::addColumn<QString>("standIn");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("demuxer");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<double>("seconds");
    QTest::addColumn<bool>("hasBitrate");
    QTest::newRow("avi") << "mplayerrm"
                         << "clip.avi" << QByteArray("avi") << 320 << 240 << kLongClipSeconds
                         << true;
    QTest::newRow("mp4") << "mplayerrm"
                         << "clip.mp4" << QByteArray("lavfpref") << 640 << 480 << kClipSeconds
                         << true;
    QTest::newRow("3gp") << "mplayerrm"
                         << "clip.3gp" << QByteArray("lavfpref") << 176 << 144 << kClipSeconds
                         << true;
    QTest::newRow("mkv") << "mplayerrm"
                         << "clip.mkv" << QByteArray("lavfpref") << 320 << 240 << kClipSeconds
                         << false;
    QTest::newRow("rm") << "mplayerrm"
                        << "clip.rm" << QByteArray("real") << 320 << 240 << kClipSeconds << false;
    QTest::newRow("avi through mplayer")
        << "mplayer"
        << "clip.avi" << QByteArray("avi") << 320 << 240 << kLongClipSeconds << true;
}

// The handset's probe command line, unchanged.
void IdentifyTest::printsClipProperties() {
    QFETCH(QString, standIn);
    QFETCH(QString, file);
    QFETCH(QByteArray, demuxer);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(double, seconds);
    QFETCH(bool, hasBitrate);
    QProcess run;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("VIDLARK_WID");
    run.setProcessEnvironment(environment);
    run.start(TestSupport::programDir() + '/' + standIn,
              {"-identify", path(file), "-nosound", "-vc", "dummy", "-vo", "null"});
    // Far less than the long clip lasts: the run must not play it.
    QVERIFY(run.waitForFinished(int(kLongClipSeconds * 1000 * 2 / 3)));
    QCOMPARE(run.exitStatus(), QProcess::NormalExit);

    const QMap<QByteArray, QByteArray> id = identifyLines(run.readAllStandardOutput());
    QCOMPARE(id.value("ID_DEMUXER"), demuxer);
    QCOMPARE(id.value("ID_VIDEO_WIDTH"), QByteArray::number(width));
    QCOMPARE(id.value("ID_VIDEO_HEIGHT"), QByteArray::number(height));
    QCOMPARE(id.value("ID_VIDEO_FPS"), QByteArray("25.000"));
    bool isNumber = false;
    QVERIFY2(qAbs(id.value("ID_LENGTH").toDouble(&isNumber) - seconds) <= 0.1 && isNumber,
             id.value("ID_LENGTH"));
    QVERIFY(id.contains("ID_VIDEO_BITRATE"));
    QCOMPARE(id.value("ID_VIDEO_BITRATE").toInt() > 0, hasBitrate);
}

QTEST_GUILESS_MAIN(IdentifyTest)
#include "tst_standin_identify.moc"
