#include "Translation.h"
#include "TransportStream.h"

#include <QTest>

namespace {

constexpr char kTurned1080[] = "rotate=2,expand=240:320::::3/4,scale=240:320,crop=240:320";

std::vector<std::string> words(const QByteArray& line) {
    std::vector<std::string> out;
    for (const QByteArray& word : line.split(' '))
        out.push_back(word.toStdString());
    return out;
}

// Packets of the given size, each with the sync byte at the given offset, and junk elsewhere.
QByteArray packets(int count, int size, int syncAt) {
    QByteArray bytes;
    for (int packet = 0; packet < count; ++packet)
        bytes += QByteArray(syncAt, 'x') + '\x47' + QByteArray(size - syncAt - 1, 'x');
    return bytes;
}

} // namespace

class TranslationTest : public QObject {
    Q_OBJECT
private slots:
    // What a handset command line becomes, by the words it must and must not hold.
    void translates_data() {
        QTest::addColumn<QByteArray>("args");
        QTest::addColumn<bool>("transportStream");
        QTest::addColumn<QByteArray>("holds");
        QTest::addColumn<QByteArray>("lacks");
        QTest::newRow("TS identify run") << QByteArray("-identify c.ts -nosound -vc dummy") << true
                                         << QByteArray("-demuxer lavf ") << QByteArray();
        QTest::newRow("TS play run")
            << QByteArray("-slave c.ts") << true << QByteArray("-demuxer lavf ") << QByteArray();
        QTest::newRow("named demuxer kept") << QByteArray("-demuxer mpegts c.ts") << true
                                            << QByteArray("-demuxer mpegts") << QByteArray("lavf");
        QTest::newRow("other clips") << QByteArray("-slave c.avi") << false
                                     << QByteArray("-ao pulse,alsa,null") << QByteArray("-demuxer");
        QTest::newRow("named audio output kept")
            << QByteArray("-ao alsa c.avi") << false << QByteArray("-ao alsa c.avi")
            << QByteArray("pulse");
        QTest::newRow("identify runs have no sound")
            << QByteArray("-identify c.avi -nosound") << false << QByteArray() << QByteArray("-ao");
        QTest::newRow("text drawn after the fit, before the turn")
            << "-vf " + QByteArray(kTurned1080) + " -subrotate 2 c.avi" << false
            << QByteArray("-vf expand=320:240::::4/3,scale=320:240,crop=320:240,ass,expand=::::1,"
                          "rotate=2 c.avi")
            << QByteArray("subrotate");
        QTest::newRow("a stored rotation is undone first")
            << QByteArray("-vf rotate=1,rotate=2,crop=240:320 -subrotate 2 c.mp4") << false
            << QByteArray(" rotate=1,crop=320:240,ass,expand=::::1,rotate=2 ") << QByteArray();
        QTest::newRow("an unknown fit draws ahead of the chain")
            << QByteArray("-vf rotate=2,scale=1:2 -subrotate 2 c.avi") << false
            << QByteArray(" ass,expand=::::1,rotate=2,scale=1:2 ") << QByteArray();
        QTest::newRow("white subtitles, black outline")
            << QByteArray("c.avi") << false
            << QByteArray("-ass-color FFFFFF00 -ass-border-color 00000000") << QByteArray();
    }
    void translates() {
        QFETCH(QByteArray, args);
        QFETCH(bool, transportStream);
        QFETCH(QByteArray, holds);
        QFETCH(QByteArray, lacks);
        QByteArray out;
        for (const std::string& word : translateArguments(words(args), {"", "", transportStream}))
            out += QByteArray::fromStdString(word) + ' ';
        QVERIFY2(out.contains(holds), out.constData());
        QVERIFY2(lacks.isEmpty() || !out.contains(lacks), out.constData());
    }

    void findsTheClip() {
        QCOMPARE(mediaArgument(words("-identify ./{ -nosound -vo null")), "./{");
        QCOMPARE(mediaArgument(words("-slave -vf crop=240:320 c.ts")), "c.ts");
    }

    void tellsTransportStreams_data() {
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<bool>("isStream");
        QTest::newRow("188-byte packets") << packets(7, 188, 0) << true;
        QTest::newRow("192-byte packets, time code first") << packets(7, 192, 4) << true;
        QTest::newRow("204-byte packets") << packets(7, 204, 0) << true;
        QTest::newRow("six packets") << packets(6, 188, 0) << false;
        QTest::newRow("one sync byte missing") << packets(6, 188, 0) + packets(1, 188, 1) << false;
        QTest::newRow("AVI, sync bytes after its header")
            << QByteArray("RIFF\0\0\0\0AVI ", 12) + QByteArray(1500, '\x47') << false;
        QTest::newRow("nothing") << QByteArray() << false;
    }
    void tellsTransportStreams() {
        QFETCH(QByteArray, head);
        QTEST(isTransportStream(head.toStdString()), "isStream");
    }
};

QTEST_GUILESS_MAIN(TranslationTest)
#include "tst_standin_translation.moc"
