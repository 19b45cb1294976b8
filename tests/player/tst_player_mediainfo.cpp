#include "IdentifyOutput.h"
#include "MediaProbe.h"
#include "TestSupport.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray fields(const MediaInfo& info) {
    return QByteArray::number(info.width()) + '|' + QByteArray::number(info.height()) + '|' +
           info.length() + '|' + QByteArray::number(info.bitrate()) + '|' + info.fps() + '|' +
           info.demuxer();
}

MediaInfo probed(const QByteArray& mediaPath, const QByteArray& program) {
    MediaProbe probe(mediaPath, program);
    probe.wait();
    return probe.info();
}

void row(const char* name, const QByteArray& output, const QByteArray& expected) {
    QTest::newRow(name) << output << expected;
}

// A name the shell would act on; whatever it ran from the name would leave the file "made".
const QString kHostile = QStringLiteral("it's \"odd\" $HOME $(touch made) `touch made` \\");

} // namespace

// Crafted output, and real output from Debian's MPlayer.
class MediaInfoTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString path(const QString& name) const { return dir_.filePath(name); }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid() && QDir::setCurrent(dir_.path()));
        using TestSupport::generateClip;
        // Long, so that a probe which plays it through cannot pass.
        QVERIFY(generateClip(path("clip.avi"), 320, 240, 30, {"-c:v", "mpeg4"}));
        QVERIFY(generateClip(path("clip.mp4"), 640, 480, 4));
        QVERIFY(generateClip(path("clip.rm"), 320, 240, 4, {"-c:v", "rv20", "-c:a", "ac3"}));
        QVERIFY(QFile::copy(path("clip.mp4"), path(kHostile + ".mp4")));
    }

    void parsesOutput_data() {
        QTest::addColumn<QByteArray>("output");
        QTest::addColumn<QByteArray>("expected");
        row("each key, other lines ignored",
            "ID_VIDEO_ID=0\nID_DEMUXER= \tavi x\nID_VIDEO_BITRATE=321392\nID_LENGTH=4.04\n"
            "ID_VIDEO_WIDTH=320\nID_VIDEO_HEIGHT=240\nID_VIDEO_FPS=25.000\nid_length=1",
            "320|240|4.04|321392|25.000|avi");
        row("text cut at the piece's end", "ID_LENGTH=" + QByteArray(100, 'a'),
            "0|0|" + QByteArray(69, 'a') + "|0|0.0|unknow");
        row("keys only at the start of a piece",
            QByteArray(79, 'x') + "ID_VIDEO_WIDTH=3\n" + QByteArray(75, 'x') + "ID_VIDEO_HEIGHT=2",
            "3|0|0.0|0|0.0|unknow");
        row("key not at the start: text empties, number keeps",
            "ID_DEMUXER=avi\nID_VIDEO_WIDTH=320\n ID_DEMUXER=avi\nx ID_VIDEO_WIDTH=6",
            "320|0|0.0|0|0.0|");
        row("missing value: text empties, number keeps",
            "ID_VIDEO_HEIGHT=240\nID_VIDEO_HEIGHT=\nID_VIDEO_WIDTH=x1\nID_LENGTH=\n"
            "ID_VIDEO_FPS=  \nID_DEMUXER",
            "0|240||0||");
        row("numbers: int limits fit, beyond them the value keeps",
            "ID_VIDEO_WIDTH= -2147483648\nID_VIDEO_HEIGHT=+7px\nID_VIDEO_BITRATE=2147483647\n"
            "ID_VIDEO_BITRATE=2147483648\nID_VIDEO_WIDTH=-2147483649\nID_VIDEO_HEIGHT=9999999999",
            "-2147483648|7|0.0|2147483647|0.0|unknow");
        row("nothing counts after the last line",
            "ID_VIDEO_WIDTH=3\nID_EXIT=EOF\nID_VIDEO_WIDTH=4\n", "3|0|0.0|0|0.0|unknow");
        row("a last line only as a whole line with the player's word",
            QByteArray(65, 'a') + "ID_EXIT=.avi\nID_VIDEO_WIDTH=5\nPlaying x\nID_EXIT=.avi.\n"
                                  "ID_EXIT=\nID_EXIT=EOF ID_VIDEO_HEIGHT=6\nID_VIDEO_HEIGHT=7\n",
            "5|7|0.0|0|0.0|unknow");
        row("two keys in a line: the first of the order decides",
            "ID_VIDEO_WIDTH=3 ID_DEMUXER=avi\nID_VIDEO_HEIGHT=2 ID_VIDEO_BITRATE=9\n"
            "ID_VIDEO_FPS=25.000 ID_LENGTH=4.04",
            "0|0||0|0.0|");
    }
    // Read whole; that reads of any size give the same is fuzz_identify's to show.
    void parsesOutput() {
        QFETCH(QByteArray, output);
        IdentifyOutput whole;
        whole.feed(output);
        whole.finish();
        QTEST(fields(whole.info()), "expected");
    }

    // Real identify runs through the stand-in; the fields as the clips were made. An unknown
    // file keeps the initial values.
    void realRuns_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("320x240 avi") << "clip.avi" << QByteArray("320|240|30.0|avi");
        QTest::newRow("RealMedia") << "clip.rm" << QByteArray("320|240|4.0|real");
        QTest::newRow("name the shell would act on")
            << kHostile + ".mp4" << QByteArray("640|480|4.0|lavfpref");
        QTest::newRow("missing") << "missing.avi" << QByteArray("0|0|0.0|unknow");
    }
    void realRuns() {
        QFETCH(QString, file);
        const QDeadlineTimer lessThanTheAviLasts(20000);
        const MediaInfo info = probed(path(file).toLocal8Bit(),
                                      (TestSupport::programDir() + "/mplayerrm").toLocal8Bit());
        QVERIFY(!lessThanTheAviLasts.hasExpired());
        const QByteArray length = QByteArray::number(info.length().toDouble(), 'f', 1);
        QTEST(QByteArray::number(info.width()) + '|' + QByteArray::number(info.height()) + '|' +
                  (info.demuxer() == "unknow" ? info.length() : length) + '|' + info.demuxer(),
              "expected");
        QVERIFY(info.demuxer() == "unknow" || (info.fps() == "25.000" && info.bitrate() >= 0));
        QVERIFY(!QFile::exists("made"));
    }
};

QTEST_GUILESS_MAIN(MediaInfoTest)
#include "tst_player_mediainfo.moc"
