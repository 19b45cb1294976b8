#include "Translation.h"

#include <QTest>

namespace {

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

void row(const char* name, const QByteArray& args, const QByteArray& head, const QByteArray& holds,
         const QByteArray& lacks = {}) {
    QTest::newRow(name) << args << head << holds << lacks;
}

const QByteArray kStream = packets(7, 188, 0);

} // namespace

class TranslationTest : public QObject {
    Q_OBJECT
private slots:
    // What a handset command line becomes, with the clip's first bytes, by the words it must
    // and must not hold.
    void translates_data() {
        QTest::addColumn<QByteArray>("args");
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<QByteArray>("holds");
        QTest::addColumn<QByteArray>("lacks");
        row("TS identify run", "-identify c -nosound -vc dummy", kStream, "-demuxer lavf ");
        row("TS play run, 192-byte packets", "-slave c", packets(7, 192, 4), "-demuxer lavf ");
        row("six packets", "-slave c", packets(6, 188, 0), "-slave", "lavf");
        row("a sync byte missing", "c", packets(6, 188, 0) + packets(1, 188, 1), "c", "lavf");
        row("AVI, sync bytes after its header", "c",
            QByteArray("RIFF\0\0\0\0AVI ", 12) + QByteArray(1500, '\x47'), "c", "lavf");
        row("named demuxer kept", "-demuxer mpegts c", kStream, "-demuxer mpegts", "lavf");
        row("null audio output last", "-slave c", {}, "-ao pulse,alsa,null");
        row("named audio output kept", "-ao alsa c", {}, "-ao alsa c", "pulse");
        row("identify runs have no sound", "-identify c -nosound", {}, "-nosound", "-ao");
        row("text drawn after the fit, before the turn",
            "-vf rotate=2,expand=240:320::::3/4,scale=240:320,crop=240:320 -subrotate 2 c", {},
            "-vf expand=320:240::::4/3,scale=320:240,crop=320:240,ass,expand=::::1,rotate=2 c",
            "subrotate");
        row("a stored rotation is undone first",
            "-vf rotate=1,rotate=2,crop=240:320 -subrotate 2 c", {},
            " rotate=1,crop=320:240,ass,expand=::::1,rotate=2 ");
        row("an unknown fit draws ahead of the chain", "-vf rotate=2,scale=1:2 -subrotate 2 c", {},
            " ass,expand=::::1,rotate=2,scale=1:2 ");
    }
    void translates() {
        QFETCH(QByteArray, args);
        QFETCH(QByteArray, head);
        QFETCH(QByteArray, holds);
        QFETCH(QByteArray, lacks);
        QByteArray out;
        for (const std::string& word :
             translateArguments(words(args), {"", "", head.toStdString()}))
            out += QByteArray::fromStdString(word) + ' ';
        QVERIFY2(out.contains(holds), out.constData());
        QVERIFY2(lacks.isEmpty() || !out.contains(lacks), out.constData());
    }

    void findsTheClip() {
        QCOMPARE(mediaArgument(words("-identify ./{ -nosound -vo null")), "./{");
        QCOMPARE(mediaArgument(words("-slave -vf crop=240:320 c.ts")), "c.ts");
    }
};

QTEST_GUILESS_MAIN(TranslationTest)
#include "tst_standin_translation.moc"
