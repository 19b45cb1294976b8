// The player command line: executable choice, filter chains, playlists and shell safety.
#include "CommandLine.h"
#include "FakePlayerDir.h"
#include "MediaInfo.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

MediaInfo probed(const QByteArrayList& lines) {
    MediaInfo info;
    for (const QByteArray& line : lines)
        info.parseLine(line + '\n');
    return info;
}

MediaInfo sized(int width, int height) {
    return probed({"ID_VIDEO_WIDTH=" + QByteArray::number(width),
                   "ID_VIDEO_HEIGHT=" + QByteArray::number(height)});
}

} // namespace

class CommandLineTest : public QObject {
    Q_OBJECT
private slots:
    void wholeCommand();
    void filterChain_data();
    void filterChain();
    void chainInCommand();
    void playerName_data();
    void playerName();
    void playlist_data();
    void playlist();
    void quoting_data();
    void quoting();
    void shellHandsOverTheExactWords();
};

void CommandLineTest::wholeCommand() {
    const MediaInfo info = probed({"ID_DEMUXER=avi", "ID_VIDEO_WIDTH=320", "ID_VIDEO_HEIGHT=240"});
    QCOMPARE(commandLineFor("/usr/local/vidlark", "/mmc/mmca1/clip.avi", info),
             QByteArray("/usr/local/vidlark/mplayer -slave -quiet -nortc -osdlevel 3 -vf "
                        "rotate=2,crop=240:320 -subrotate 2 -af "
                        "channels=2,resample=44100:0:0,volume=-15 -autosync 0 -mc 0 -sws 0 "
                        "-framedrop -idle -menu -menu-cfg "
                        "\"/usr/local/vidlark/.mplayer/menu.conf.in\" -font "
                        "/usr/language/fonts/AMCSL.TTF \"/mmc/mmca1/clip.avi\""));
}

void CommandLineTest::filterChain_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<QByteArray>("chain");
    QTest::newRow("320x240") << 320 << 240 << QByteArray("rotate=2,crop=240:320 -subrotate 2");
    QTest::newRow("640x480") << 640 << 480
                             << QByteArray("rotate=2,scale=240:320,crop=240:320 -subrotate 2");
    QTest::newRow("240x320") << 240 << 320 << QByteArray("crop=240:320");
    QTest::newRow("480x640") << 480 << 640 << QByteArray("scale=240:320,crop=240:320");
    QTest::newRow("176x144") << 176 << 144 << QByteArray("expand=240:320::::3/4,crop=240:320");
    QTest::newRow("400x240")
        << 400 << 240
        << QByteArray("rotate=2,expand=240:320::::3/4,scale=240:320,crop=240:320 -subrotate 2");
    QTest::newRow("0x0") << 0 << 0 << QByteArray("expand=240:320::::3/4,crop=240:320");
    QTest::newRow("240 wide is not rotated")
        << 240 << 200 << QByteArray("expand=240:320::::3/4,crop=240:320");
    QTest::newRow("square is not rotated")
        << 320 << 320 << QByteArray("expand=240:320::::3/4,crop=240:320");
    QTest::newRow("huge sizes do not overflow the aspect test")
        << 2000000000 << 1500000000
        << QByteArray("rotate=2,scale=240:320,crop=240:320 -subrotate 2");
}

void CommandLineTest::filterChain() {
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(QByteArray, chain);
    QCOMPARE(filterChainFor(width, height), chain);
}

void CommandLineTest::chainInCommand() {
    const QByteArray command = commandLineFor("/p", "a.avi", sized(640, 480));
    QVERIFY(command.contains(" -vf rotate=2,scale=240:320,crop=240:320 -subrotate 2 -af "));
}

void CommandLineTest::playerName_data() {
    QTest::addColumn<QByteArray>("demuxerLine");
    QTest::addColumn<QByteArray>("player");
    QTest::newRow("real") << QByteArray("ID_DEMUXER=real") << QByteArray("mplayerrm");
    QTest::newRow("REAL") << QByteArray("ID_DEMUXER=REAL") << QByteArray("mplayerrm");
    QTest::newRow("rEaLmedia") << QByteArray("ID_DEMUXER=rEaLmedia") << QByteArray("mplayerrm");
    QTest::newRow("inside a word") << QByteArray("ID_DEMUXER=surreal") << QByteArray("mplayerrm");
    QTest::newRow("avi") << QByteArray("ID_DEMUXER=avi") << QByteArray("mplayer");
    QTest::newRow("lavfpref") << QByteArray("ID_DEMUXER=lavfpref") << QByteArray("mplayer");
    QTest::newRow("rea") << QByteArray("ID_DEMUXER=rea") << QByteArray("mplayer");
    QTest::newRow("unknow (no probe)") << QByteArray() << QByteArray("mplayer");
}

void CommandLineTest::playerName() {
    QFETCH(QByteArray, demuxerLine);
    QFETCH(QByteArray, player);
    const MediaInfo info = probed({demuxerLine});
    QCOMPARE(playerNameFor(info), player);
    QVERIFY(commandLineFor("/app", "x.rm", info).startsWith("/app/" + player + " -slave "));
}

void CommandLineTest::playlist_data() {
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<bool>("playlist");
    for (const char* ending : {"m3u", "pls", "asx", "ram"}) {
        const QByteArray lower(ending);
        const QByteArray upper = lower.toUpper();
        QTest::addRow("list.%s", ending) << "list." + lower << true;
        QTest::addRow("LIST.%s", upper.constData()) << "LIST." + upper << true;
        QTest::addRow("mixed case %s", ending) << "a." + upper.left(1) + lower.mid(1) << true;
        QTest::addRow("no dot %s", ending) << "/mmc/list" + lower << true;
        QTest::addRow("exactly %s", ending) << lower << true;
        QTest::addRow("%s not at the end", ending) << "a." + lower + ".avi" << false;
    }
    QTest::newRow("m3u8 is not") << QByteArray("live.m3u8") << false;
    QTest::newRow("two characters") << QByteArray("3u") << false;
    QTest::newRow("one character") << QByteArray("m") << false;
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("avi") << QByteArray("clip.avi") << false;
}

void CommandLineTest::playlist() {
    QFETCH(QByteArray, path);
    QFETCH(bool, playlist);
    const QByteArray command = commandLineFor("/app", path, MediaInfo());
    const QByteArray tail =
        "AMCSL.TTF " + QByteArray(playlist ? "-playlist " : "") + '"' + path + '"';
    QVERIFY2(command.endsWith(tail), command.constData());
}

void CommandLineTest::quoting_data() {
    QTest::addColumn<QByteArray>("appDir");
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<QByteArray>("menuFile");
    QTest::addColumn<QByteArray>("media");
    QTest::newRow("plain paths") << QByteArray("/opt/v-1.4_x") << QByteArray("/mmc/a b.avi")
                                 << QByteArray("/opt/v-1.4_x/mplayer ")
                                 << QByteArray("\"/opt/v-1.4_x/.mplayer/menu.conf.in\"")
                                 << QByteArray("\"/mmc/a b.avi\"");
    QTest::newRow("empty appDir") << QByteArray() << QByteArray("c.avi") << QByteArray("/mplayer ")
                                  << QByteArray("\"/.mplayer/menu.conf.in\"")
                                  << QByteArray("\"c.avi\"");
    QTest::newRow("space in appDir")
        << QByteArray("/opt/my apps") << QByteArray("c.avi")
        << QByteArray("\"/opt/my apps/mplayer\" ")
        << QByteArray("\"/opt/my apps/.mplayer/menu.conf.in\"") << QByteArray("\"c.avi\"");
    QTest::newRow("dollar and backquote in appDir")
        << QByteArray("/opt/$HOME`id`") << QByteArray("c.avi")
        << QByteArray("\"/opt/\\$HOME\\`id\\`/mplayer\" ")
        << QByteArray("\"/opt/\\$HOME\\`id\\`/.mplayer/menu.conf.in\"") << QByteArray("\"c.avi\"");
    QTest::newRow("semicolon in appDir")
        << QByteArray("/opt/a;b") << QByteArray("c.avi") << QByteArray("\"/opt/a;b/mplayer\" ")
        << QByteArray("\"/opt/a;b/.mplayer/menu.conf.in\"") << QByteArray("\"c.avi\"");
    QTest::newRow("quote and backslash in path")
        << QByteArray("/app") << QByteArray("/mmc/\"x\"\\y.avi") << QByteArray("/app/mplayer ")
        << QByteArray("\"/app/.mplayer/menu.conf.in\"")
        << QByteArray("\"/mmc/\\\"x\\\"\\\\y.avi\"");
    QTest::newRow("dollar and backquote in path")
        << QByteArray("/app") << QByteArray("$(rm x)`y`.avi") << QByteArray("/app/mplayer ")
        << QByteArray("\"/app/.mplayer/menu.conf.in\"") << QByteArray("\"\\$(rm x)\\`y\\`.avi\"");
    QTest::newRow("UTF-8 bytes pass unchanged")
        << QByteArray("/opt/视频") << QByteArray("/mmc/片\xff.avi")
        << QByteArray("/opt/视频/mplayer ") << QByteArray("\"/opt/视频/.mplayer/menu.conf.in\"")
        << QByteArray("\"/mmc/片\xff.avi\"");
}

void CommandLineTest::quoting() {
    QFETCH(QByteArray, appDir);
    QFETCH(QByteArray, path);
    QFETCH(QByteArray, head);
    QFETCH(QByteArray, menuFile);
    QFETCH(QByteArray, media);
    const QByteArray command = commandLineFor(appDir, path, MediaInfo());
    QVERIFY2(command.startsWith(head + "-slave "), command.constData());
    QVERIFY2(command.contains(" -menu-cfg " + menuFile + " -font "), command.constData());
    QVERIFY2(command.endsWith(" " + media), command.constData());
}

// The shell must hand the player exactly the directory and path it was given, however hostile.
void CommandLineTest::shellHandsOverTheExactWords() {
    QTemporaryDir base;
    QVERIFY(base.isValid());
    const QByteArray appDir = QFile::encodeName(base.path()) + "/a dir $HOME `x` \"q\" \\;&";
    QVERIFY(QDir().mkpath(QFile::decodeName(appDir)));
    TestSupport::installFakePlayer(QFile::decodeName(appDir));
    const QString logPath = base.filePath("player.log");
    const QByteArray media = "/mmc/it's \"a\" $(clip) `b` \\c.avi";

    QProcess shell;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("FAKE_PLAYER_LOG", logPath);
    shell.setProcessEnvironment(environment);
    shell.start("/bin/sh",
                {"-c", QString::fromLocal8Bit(commandLineFor(appDir, media, sized(320, 240)))});
    QVERIFY(shell.waitForStarted());
    shell.write("quit\n");
    QVERIFY(shell.waitForFinished(20000));
    QCOMPARE(shell.exitCode(), 0);

    const QByteArray log = TestSupport::readLog(logPath);
    const QByteArrayList words = FakePlayerDir::startLineWords(log.left(log.indexOf('\n')));
    QVERIFY(words.size() > 4);
    QCOMPARE(words.at(words.indexOf("-menu-cfg") + 1), appDir + "/.mplayer/menu.conf.in");
    QCOMPARE(words.last(), media);
    QCOMPARE(words.at(words.indexOf("-vf") + 1), QByteArray("rotate=2,crop=240:320"));
}

QTEST_GUILESS_MAIN(CommandLineTest)
#include "tst_window_commandline.moc"
