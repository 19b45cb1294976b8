#include "MediaInfo.h"
#include "StdoutCapture.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

// Where the crafted identify outputs come from.
const QByteArray kOutputPlayer = IDENTIFY_FROM_FILE;

struct Fields {
    int width = 0;
    int height = 0;
    QByteArray length = "0.0";
    int bitrate = 0;
    QByteArray fps = "0.0";
    QByteArray demuxer = "unknow";
};

void compareFields(const MediaInfo& info, const Fields& expected) {
    QCOMPARE(info.width(), expected.width);
    QCOMPARE(info.height(), expected.height);
    QCOMPARE(info.length(), expected.length);
    QCOMPARE(info.bitrate(), expected.bitrate);
    QCOMPARE(info.fps(), expected.fps);
    QCOMPARE(info.demuxer(), expected.demuxer);
}

void addFieldColumns() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<QByteArray>("length");
    QTest::addColumn<int>("bitrate");
    QTest::addColumn<QByteArray>("fps");
    QTest::addColumn<QByteArray>("demuxer");
}

Fields fetchedFields() {
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(QByteArray, length);
    QFETCH(int, bitrate);
    QFETCH(QByteArray, fps);
    QFETCH(QByteArray, demuxer);
    return {width, height, length, bitrate, fps, demuxer};
}

// A row: its input, then the fields expected after it.
template <typename Input>
void addRow(const char* name, const Input& input, const Fields& expected) {
    QTest::newRow(name) << input << expected.width << expected.height << expected.length
                        << expected.bitrate << expected.fps << expected.demuxer;
}

Fields withDemuxer(const QByteArray& demuxer) {
    Fields fields;
    fields.demuxer = demuxer;
    return fields;
}

Fields withSize(int width, int height) {
    Fields fields;
    fields.width = width;
    fields.height = height;
    return fields;
}

Fields withBitrate(int bitrate) {
    Fields fields;
    fields.bitrate = bitrate;
    return fields;
}

Fields withLengthAndFps(const QByteArray& length, const QByteArray& fps) {
    Fields fields;
    fields.length = length;
    fields.fps = fps;
    return fields;
}

Fields avi320x240() {
    return {320, 240, "4.04", 321392, "25.000", "avi"};
}

} // namespace

class MediaInfoTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void startsWithInitialValues();
    void parsesLines_data();
    void parsesLines();
    void buildsProbeCommand_data();
    void buildsProbeCommand();
    void readsOutputInPieces_data();
    void readsOutputInPieces();
    void tracesCommandAsUtf8();
    void probeThatCannotRunKeepsInitialValues();

private:
    QByteArray outputFile(const QByteArray& output);

    QTemporaryDir dir_;
};

void MediaInfoTest::initTestCase() {
    QVERIFY(dir_.isValid());
}

void MediaInfoTest::startsWithInitialValues() {
    compareFields(MediaInfo(), Fields());
}

void MediaInfoTest::parsesLines_data() {
    QTest::addColumn<QByteArrayList>("lines");
    addFieldColumns();
    using L = QByteArrayList;
    addRow("no lines", L{}, Fields());
    addRow("each key",
           L{"ID_DEMUXER=avi\n", "ID_VIDEO_BITRATE=321392\n", "ID_VIDEO_WIDTH=320\n",
             "ID_VIDEO_HEIGHT=240\n", "ID_VIDEO_FPS=25.000\n", "ID_LENGTH=4.04\n"},
           avi320x240());
    addRow("other lines ignored",
           L{"ID_VIDEO_ID=0\n", "ID_EXIT=EOF\n", "Playing clip.avi.\n", "id_demuxer=avi\n"},
           Fields());
    addRow("text up to white space", L{"ID_DEMUXER= \treal more\n"}, withDemuxer("real"));
    addRow("text at most a piece long", L{"ID_DEMUXER=" + QByteArray(100, 'a')},
           withDemuxer(QByteArray(79, 'a')));
    addRow("text key not at start empties", L{"ID_DEMUXER=avi\n", " ID_DEMUXER=real\n"},
           withDemuxer(""));
    addRow("text key without =", L{"ID_DEMUXER\n"}, withDemuxer(""));
    addRow("missing text value", L{"ID_LENGTH=4.04\n", "ID_LENGTH=\n", "ID_VIDEO_FPS=  \n"},
           withLengthAndFps("", ""));
    addRow("number key not at start keeps", L{"ID_VIDEO_WIDTH=320\n", "X ID_VIDEO_WIDTH=640\n"},
           withSize(320, 0));
    addRow("missing number value keeps", L{"ID_VIDEO_HEIGHT=240\n", "ID_VIDEO_HEIGHT=\n"},
           withSize(0, 240));
    addRow("no digits keeps", L{"ID_VIDEO_WIDTH=x320\n", "ID_VIDEO_HEIGHT=-\n"}, withSize(0, 0));
    addRow("sign, white space and trailing text",
           L{"ID_VIDEO_WIDTH= -12\n", "ID_VIDEO_HEIGHT=+7px\n"}, withSize(-12, 7));
    addRow("largest int", L{"ID_VIDEO_BITRATE=2147483647\n"}, withBitrate(2147483647));
    addRow("smallest int", L{"ID_VIDEO_BITRATE=-2147483648\n"}, withBitrate(-2147483647 - 1));
    addRow("overflowing numbers keep",
           L{"ID_VIDEO_BITRATE=1000\n", "ID_VIDEO_BITRATE=2147483648\n",
             "ID_VIDEO_BITRATE=-2147483649\n", "ID_VIDEO_BITRATE=99999999999999999999999\n"},
           withBitrate(1000));
    addRow("demuxer decides over a width before it", L{"ID_VIDEO_WIDTH=320 ID_DEMUXER=avi\n"},
           withDemuxer(""));
    addRow("demuxer decides over a width after it", L{"ID_DEMUXER=avi ID_VIDEO_WIDTH=320\n"},
           withDemuxer("avi"));
    addRow("bitrate decides over height", L{"ID_VIDEO_HEIGHT=240 ID_VIDEO_BITRATE=9\n"}, Fields());
    addRow("length decides over fps", L{"ID_VIDEO_FPS=25.000 ID_LENGTH=4.04\n"},
           withLengthAndFps("", "0.0"));
    addRow(
        "later lines overwrite",
        L{"ID_DEMUXER=avi\n", "ID_VIDEO_WIDTH=1\n", "ID_DEMUXER=lavfpref\n", "ID_VIDEO_WIDTH=2\n"},
        [] {
            Fields fields = withSize(2, 0);
            fields.demuxer = "lavfpref";
            return fields;
        }());
}

void MediaInfoTest::parsesLines() {
    QFETCH(QByteArrayList, lines);
    MediaInfo info;
    for (const QByteArray& line : lines)
        info.parseLine(line);
    compareFields(info, fetchedFields());
}

void MediaInfoTest::buildsProbeCommand_data() {
    QTest::addColumn<QByteArray>("mediaPath");
    QTest::addColumn<QByteArray>("program");
    QTest::addColumn<QByteArray>("command");
    QTest::newRow("plain") << QByteArray("/mmc/mmca1/clip.avi") << QByteArray("/app/mplayerrm")
                           << QByteArray("/app/mplayerrm -identify \"/mmc/mmca1/clip.avi\" "
                                         "-nosound -vc dummy -vo null");
    QTest::newRow("empty program dir")
        << QByteArray("a.avi") << QByteArray("/mplayerrm")
        << QByteArray("/mplayerrm -identify \"a.avi\" -nosound -vc dummy -vo null");
    QTest::newRow("space and single quote left inside the quotes")
        << QByteArray("/mmc/it's a clip.avi") << QByteArray("/app/mplayerrm")
        << QByteArray("/app/mplayerrm -identify \"/mmc/it's a clip.avi\" -nosound -vc dummy -vo "
                      "null");
    QTest::newRow("shell characters escaped")
        << QByteArray("/mmc/\"$HOME`id`\\.avi") << QByteArray("/app/mplayerrm")
        << QByteArray("/app/mplayerrm -identify \"/mmc/\\\"\\$HOME\\`id\\`\\\\.avi\" -nosound -vc "
                      "dummy -vo null");
    QTest::newRow("program dir quoted")
        << QByteArray("a.avi") << QByteArray("/my apps/$v/mplayerrm")
        << QByteArray("\"/my apps/\\$v/mplayerrm\" -identify \"a.avi\" -nosound -vc dummy -vo "
                      "null");
}

void MediaInfoTest::buildsProbeCommand() {
    QFETCH(QByteArray, mediaPath);
    QFETCH(QByteArray, program);
    QFETCH(QByteArray, command);
    QCOMPARE(MediaInfo::probeCommand(mediaPath, program), command);
}

QByteArray MediaInfoTest::outputFile(const QByteArray& output) {
    QFile file(dir_.filePath("output"));
    if (!file.open(QIODevice::WriteOnly) || file.write(output) != output.size())
        return {};
    return file.fileName().toLocal8Bit();
}

void MediaInfoTest::readsOutputInPieces_data() {
    QTest::addColumn<QByteArray>("output");
    addFieldColumns();
    addRow("empty output", QByteArray(), Fields());
    addRow("identify lines",
           QByteArray("ID_VIDEO_ID=0\nID_DEMUXER=avi\nID_VIDEO_BITRATE=321392\nID_VIDEO_WIDTH=320\n"
                      "ID_VIDEO_HEIGHT=240\nID_VIDEO_FPS=25.000\nID_LENGTH=4.04\nID_EXIT=EOF\n"),
           avi320x240());
    addRow("value cut at the piece's end", "ID_DEMUXER=" + QByteArray(100, 'a') + '\n',
           withDemuxer(QByteArray(79 - 11, 'a')));
    addRow("key at the start of a later piece", QByteArray(79, 'x') + "ID_VIDEO_WIDTH=320\n",
           withSize(320, 0));
    addRow("key split between pieces", QByteArray(75, 'x') + "ID_VIDEO_WIDTH=320\n",
           withSize(0, 0));
    addRow("key inside a piece", QByteArray(40, 'x') + "ID_VIDEO_WIDTH=320\n", withSize(0, 0));
    addRow("no final newline", QByteArray("ID_VIDEO_WIDTH=320\nID_VIDEO_HEIGHT=240"),
           withSize(320, 240));
}

void MediaInfoTest::readsOutputInPieces() {
    QFETCH(QByteArray, output);
    const QByteArray path = outputFile(output);
    QVERIFY(!path.isEmpty());
    StdoutCapture trace;
    const MediaInfo info(path, kOutputPlayer);
    trace.text();
    compareFields(info, fetchedFields());
}

void MediaInfoTest::tracesCommandAsUtf8() {
    StdoutCapture trace;
    // A UTF-8 name, then a Latin-1 byte: every byte is taken as one Latin-1 character.
    MediaInfo(dir_.path().toLocal8Bit() + "/caf\xc3\xa9\xe9.avi", kOutputPlayer);
    const QByteArray expected = kOutputPlayer + " -identify \"" + dir_.path().toLocal8Bit() +
                                "/caf\xc3\x83\xc2\xa9\xc3\xa9.avi\" -nosound -vc dummy -vo null";
    QCOMPARE(trace.text(), expected);
}

void MediaInfoTest::probeThatCannotRunKeepsInitialValues() {
    StdoutCapture trace;
    const MediaInfo info(outputFile("ID_VIDEO_WIDTH=320\n"), "/nonexistent/mplayerrm");
    trace.text();
    compareFields(info, Fields());
}

QTEST_GUILESS_MAIN(MediaInfoTest)
#include "tst_player_mediainfo.moc"
