#include "MediaInfo.h"
#include "StdoutCapture.h"
#include "TestSupport.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

namespace {

// What ffprobe reports for a clip's first video stream.
struct Reference {
    int width = 0;
    int height = 0;
    double fps = 0;
    double length = 0;
};

double fraction(const QByteArray& text) {
    const QList<QByteArray> parts = text.split('/');
    const double denominator = parts.size() == 2 ? parts[1].toDouble() : 1;
    return denominator ? parts[0].toDouble() / denominator : 0;
}

Reference ffprobe(const QString& path) {
    QProcess probe;
    probe.start("ffprobe", {"-v", "error", "-select_streams", "v:0", "-show_entries",
                            "stream=width,height,r_frame_rate:format=duration", "-of",
                            "default=noprint_wrappers=1", path});
    probe.waitForFinished(60000);
    Reference reference;
    for (const QByteArray& line : probe.readAllStandardOutput().split('\n')) {
        const qsizetype equals = line.indexOf('=');
        const QByteArray key = line.left(equals);
        const QByteArray value = line.mid(equals + 1);
        if (key == "width")
            reference.width = value.toInt();
        else if (key == "height")
            reference.height = value.toInt();
        else if (key == "r_frame_rate")
            reference.fps = fraction(value);
        else if (key == "duration")
            reference.length = value.toDouble();
    }
    return reference;
}

// The text must be a number as printed, and near the reference.
bool near(const QByteArray& text, double reference, double tolerance) {
    bool isNumber = false;
    const double value = text.toDouble(&isNumber);
    return isNumber && std::fabs(value - reference) <= tolerance;
}

// A name the shell would act on if it were not quoted: a word break, quotes, a variable, two
// command substitutions that create files, and a trailing backslash before the closing quote.
const QString kHostileName = QStringLiteral("it's \"odd\" $HOME $(touch made-by-dollar) "
                                            "`touch made-by-backquote` \\");

} // namespace

class ProbeTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void reportsWhatFfprobeSees_data();
    void reportsWhatFfprobeSees();
    void unreadableFileKeepsInitialValues_data();
    void unreadableFileKeepsInitialValues();

private:
    QString path(const QString& name) const { return dir_.filePath(name); }
    MediaInfo probe(const QString& file, const QString& program) const;

    QTemporaryDir dir_;
};

void ProbeTest::initTestCase() {
    QVERIFY(dir_.isValid());
    // Whatever the shell might run from a name would leave its files here.
    QVERIFY(QDir::setCurrent(dir_.path()));
    QVERIFY(TestSupport::generateClip(path("clip.avi"), 320, 240, 4, {"-c:v", "mpeg4"}));
    QVERIFY(TestSupport::generateClip(path("clip.3gp"), 176, 144, 4,
                                      {"-c:v", "h263", "-c:a", "aac", "-ar", "16000", "-ac", "1"}));
    QVERIFY(TestSupport::generateClip(path("clip.mp4"), 640, 480, 4));
    QVERIFY(
        TestSupport::generateClip(path("clip.rm"), 320, 240, 4, {"-c:v", "rv20", "-c:a", "ac3"}));
    QVERIFY(QFile::copy(path("clip.avi"), path(kHostileName + ".avi")));
    QFile text(path("notes.avi"));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("Not a clip, only text.\n");
    text.close();
    QVERIFY(QDir().mkpath(path("app dir $x")));
    QVERIFY(QFile::link(TestSupport::programDir() + "/mplayerrm", path("app dir $x/mplayerrm")));
}

MediaInfo ProbeTest::probe(const QString& file, const QString& program) const {
    StdoutCapture trace;
    return MediaInfo(path(file).toLocal8Bit(), program.toLocal8Bit());
}

void ProbeTest::reportsWhatFfprobeSees_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("program");
    QTest::addColumn<QByteArray>("demuxer");
    const QString standIn = TestSupport::programDir() + "/mplayerrm";
    QTest::newRow("320x240 avi") << "clip.avi" << standIn << QByteArray("avi");
    QTest::newRow("176x144 3gp") << "clip.3gp" << standIn << QByteArray("lavfpref");
    QTest::newRow("640x480 mp4") << "clip.mp4" << standIn << QByteArray("lavfpref");
    QTest::newRow("RealMedia") << "clip.rm" << standIn << QByteArray("real");
    QTest::newRow("name the shell would act on")
        << kHostileName + ".avi" << standIn << QByteArray("avi");
    QTest::newRow("program in a folder with a space and a dollar")
        << "clip.avi" << path("app dir $x/mplayerrm") << QByteArray("avi");
}

void ProbeTest::reportsWhatFfprobeSees() {
    QFETCH(QString, file);
    QFETCH(QString, program);
    QFETCH(QByteArray, demuxer);
    const Reference reference = ffprobe(path(file));
    QVERIFY(reference.width > 0);

    const MediaInfo info = probe(file, program);
    QCOMPARE(info.demuxer(), demuxer);
    QCOMPARE(info.width(), reference.width);
    QCOMPARE(info.height(), reference.height);
    QVERIFY2(near(info.fps(), reference.fps, 0.01), info.fps());
    QVERIFY2(near(info.length(), reference.length, 0.1), info.length());
    QVERIFY(!QFile::exists("made-by-dollar") && !QFile::exists("made-by-backquote"));
}

void ProbeTest::unreadableFileKeepsInitialValues_data() {
    QTest::addColumn<QString>("file");
    QTest::newRow("missing") << "missing.avi";
    QTest::newRow("text") << "notes.avi";
    QTest::newRow("missing, with a name the shell would act on") << kHostileName + ".mp4";
}

void ProbeTest::unreadableFileKeepsInitialValues() {
    QFETCH(QString, file);
    const MediaInfo info = probe(file, TestSupport::programDir() + "/mplayerrm");
    QCOMPARE(info.width(), 0);
    QCOMPARE(info.height(), 0);
    QCOMPARE(info.length(), QByteArray("0.0"));
    QCOMPARE(info.bitrate(), 0);
    QCOMPARE(info.fps(), QByteArray("0.0"));
    QCOMPARE(info.demuxer(), QByteArray("unknow"));
    QVERIFY(!QFile::exists("made-by-dollar") && !QFile::exists("made-by-backquote"));
}

QTEST_GUILESS_MAIN(ProbeTest)
#include "tst_player_probe.moc"
