// Lists are read from their bytes; only which entries exist is asked of the file system.
#include "Playlist.h"
#include "TestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

using Playlist::Kind;

class PlaylistTest : public QObject {
    Q_OBJECT
private slots:
    void parse_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("folder");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArrayList>("entries");
        const auto row = [](const char* name, Kind kind, const QByteArray& folder,
                            const QByteArray& bytes, const QByteArrayList& entries) {
            QTest::newRow(name) << int(kind) << folder << bytes << entries;
        };
        row("m3u", Kind::Lines, "/f", "#EXTM3U\n#EXTINF:2,A\na.avi\n\n  sub/b c.avi \n",
            {"/f/a.avi", "/f/sub/b c.avi"});
        row("BOM and CRLF", Kind::Lines, "/f/", "\xEF\xBB\xBF#x\r\na.avi\r\nb.avi\r\n",
            {"/f/a.avi", "/f/b.avi"});
        row("absolute, up and bytes that are not UTF-8", Kind::Lines, "/f",
            "/abs/c.avi\n../up.avi\n\xff\xfe.avi\n-x\n",
            {"/abs/c.avi", "/f/../up.avi", "/f/\xff\xfe.avi", "/f/-x"});
        row("in the working directory", Kind::Lines, "", "a.avi\n-x\n", {"a.avi", "-x"});
        row("URLs are no files", Kind::Lines, "/",
            "http://h/a.avi\nrtsp://h/s\nfile:///z.avi\nc:/d.avi\n://e\n", {"/c:/d.avi", "/://e"});
        row("NUL and overlong lines", Kind::Lines, "/f",
            QByteArray("a\0b.avi\n", 8) + QByteArray(5000, 'x') + "\nok.avi", {"/f/ok.avi"});
        row("nothing past the byte limit", Kind::Lines, "/f",
            QByteArray(Playlist::kMaxBytes, '#') + "\nlate.avi", {});
        row("pls", Kind::Pls, "/f",
            "[playlist]\r\nNumberOfEntries=3\r\nFile2=b.avi\r\nTitle1=A\r\n; c\r\n"
            "file1 = a.avi\r\nFileX=x.avi\r\nFile3=\r\nLength1=-1\r\nFile10=/j.avi\r\n",
            {"/f/a.avi", "/f/b.avi", "/j.avi"});
        row("asx", Kind::Asx, "/f",
            "<ASX version=\"3.0\"><!-- <ref href=\"hidden.avi\"/> -->\n<Entry><REF HREF = "
            "'a.avi' /></Entry>\n<entry><Ref\thref=\"b&amp;c.avi\"/><ref href=\"mms://s/x\"/>"
            "</entry><reference href=\"no.avi\"/><ref nohref=\"no.avi\"/><ref href=d.avi>",
            {"/f/a.avi", "/f/b&c.avi", "/f/d.avi"});
        row("asx cut short", Kind::Asx, "/f", "<asx><ref href=\"a.avi\"/><ref href=\"b",
            {"/f/a.avi"});
        row("a list that is no list", Kind::None, "/f", "a.avi\n", {});
        QByteArrayList many;
        for (int i = 0; i < Playlist::kMaxEntries; ++i)
            many << "/f/a";
        row("entries beyond the limit", Kind::Lines, "/f", QByteArray("a\n").repeated(5000), many);
    }

    void parse() {
        QFETCH(int, kind);
        QFETCH(QByteArray, folder);
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArrayList, entries);
        QCOMPARE(Playlist::parse(bytes, Kind(kind), folder), entries);
    }

    void kinds() {
        for (const char* name : {"a.m3u", "/d/A.M3U8", "x.RAM", "a.pls", "a.AsX"})
            QVERIFY2(Playlist::kindOf(name) != Kind::None, name);
        for (const char* name : {"diagram", "program", "listm3u", "d.m3u/clip", "m3u", "a.avi"})
            QVERIFY2(Playlist::kindOf(name) == Kind::None, name);
    }

    // Missing entries and folders are skipped; what reads as no list plays as a clip, a FIFO
    // included, which is never waited on.
    void clipsOf() {
        QTemporaryDir dir;
        const QByteArray at = QFile::encodeName(dir.path()) + '/';
        QVERIFY(TestSupport::writeFile(dir.filePath("a.avi"), "clip"));
        QVERIFY(QDir(dir.path()).mkdir("sub.avi"));
        QVERIFY(TestSupport::writeFile(dir.filePath("l.m3u"), "missing.avi\nsub.avi\na.avi\n"));
        QVERIFY(TestSupport::writeFile(dir.filePath("none.pls"), "File1=missing.avi\n"));
        QVERIFY(TestSupport::writeFile(dir.filePath("video.m3u"), QByteArray("a.avi\n\0", 7)));
        QVERIFY(mkfifo(at + "fifo.m3u", 0600) == 0);
        QCOMPARE(Playlist::clipsOf(at + "l.m3u"), QByteArrayList{at + "a.avi"});
        for (const QByteArray name : {"none.pls", "video.m3u", "fifo.m3u", "gone.m3u", "a.avi"})
            QCOMPARE(Playlist::clipsOf(at + name), QByteArrayList{at + name});
    }
};

QTEST_GUILESS_MAIN(PlaylistTest)
#include "tst_player_playlist.moc"
