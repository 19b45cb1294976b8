#include "CommandLine.h"
#include "MediaInfo.h"

#include <QProcess>
#include <QTemporaryFile>
#include <QTest>

namespace {

constexpr char kExpand[] = "expand=240:320::::3/4,crop=240:320";

QByteArray expected(const QByteArray& media, const QByteArray& head = "/a/mplayer",
                    const QByteArray& menuDir = "/a", const QByteArray& chain = kExpand) {
    return head + " -slave -quiet -nortc -osdlevel 3 -vf " + chain +
           " -af channels=2,resample=44100:0:0,volume=-15 -autosync 0 -mc 0 -sws 0 -framedrop "
           "-idle -menu -menu-cfg \"" +
           menuDir + "/.mplayer/menu.conf.in\" -font /usr/language/fonts/AMCSL.TTF " + media;
}

// The words /bin/sh makes of the command, each ended by a NUL byte. The script goes by file,
// as arguments would have to be valid UTF-8.
QByteArray shellWords(const QByteArray& command) {
    QTemporaryFile script;
    if (!script.open() || script.write("set -- " + command + "; printf '%s\\0' \"$@\"") < 0 ||
        !script.flush())
        return "(no script)";
    QProcess shell;
    shell.start("/bin/sh", {script.fileName()});
    return shell.waitForFinished() ? shell.readAllStandardOutput() : "(failed)";
}

QByteArray nulTerminated(const QByteArrayList& words) {
    QByteArray joined;
    for (const QByteArray& word : words)
        joined += word + '\0';
    return joined;
}

void row(const QByteArray& name, const QByteArray& appDir, const QByteArray& path,
         const QByteArray& idLines, const QByteArray& command, int rotation = 0) {
    QTest::addRow("%s", name.constData()) << appDir << path << idLines << command << rotation;
}

} // namespace

class CommandLineTest : public QObject {
    Q_OBJECT
private slots:
    void command_data() {
        QTest::addColumn<QByteArray>("appDir");
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<QByteArray>("idLines");
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<int>("rotation");
        // The last size's aspect products wrap to equal values in 32 bits.
        const QList<std::tuple<QByteArray, QByteArray, QByteArray>> chains{
            {"320", "240", "rotate=2,crop=240:320 -subrotate 2"},
            {"640", "480", "rotate=2,scale=240:320,crop=240:320 -subrotate 2"},
            {"240", "320", "crop=240:320"},
            {"480", "640", "scale=240:320,crop=240:320"},
            {"176", "144", kExpand},
            {"400", "240",
             "rotate=2,expand=240:320::::3/4,scale=240:320,crop=240:320 -subrotate 2"},
            {"0", "0", kExpand},
            {"240", "200", kExpand},
            {"320", "320", kExpand},
            {"2", "1431655768", "expand=240:320::::3/4,scale=240:320,crop=240:320"}};
        for (const auto& [w, h, chain] : chains)
            row(w + 'x' + h, "/a", "x", "ID_VIDEO_WIDTH=" + w + "\nID_VIDEO_HEIGHT=" + h,
                expected("\"x\"", "/a/mplayer", "/a", chain));
        // Stored rotations are undone first; the rest follows the upright size.
        const QList<std::tuple<QByteArray, int, QByteArray>> turned{
            {"640\nID_VIDEO_HEIGHT=480", 270, "rotate=2,scale=240:320,crop=240:320"},
            {"320\nID_VIDEO_HEIGHT=240", 180, "flip,mirror,rotate=2,crop=240:320 -subrotate 2"},
            {"240\nID_VIDEO_HEIGHT=320", 90, "rotate=1,rotate=2,crop=240:320 -subrotate 2"}};
        for (const auto& [size, rotation, chain] : turned)
            row(chain, "/a", "x", "ID_VIDEO_WIDTH=" + size,
                expected("\"x\"", "/a/mplayer", "/a", chain), rotation);
        for (const QByteArray demuxer : {"real", "REAL", "rEaLmedia", "surreal"})
            row(demuxer, "/a", "x", "ID_DEMUXER=" + demuxer, expected("\"x\"", "/a/mplayerrm"));
        // Lists are read by the program; the player is only ever handed a file.
        for (const QByteArray path : {"a.m3u", "A.PLS", "diagram", "program", "x.asx", ""})
            row("a file, never a list: " + path, "/a", path, {}, expected('"' + path + '"'));
        row("empty appDir", "", "c", {}, expected("\"c\"", "/mplayer", ""));
        row("harmless bytes", "/v-1.4_x/视频", "/a b\xff", {},
            expected("\"/a b\xff\"", "/v-1.4_x/视频/mplayer", "/v-1.4_x/视频"));
        row("space, semicolon, dollar and backquotes in appDir", "/my a;$HOME`id`", "c", {},
            expected("\"c\"", "\"/my a;\\$HOME\\`id\\`/mplayer\"", "/my a;\\$HOME\\`id\\`"));
        row("names like options are files", "/a", "-idle", {}, expected("\"./-idle\""));
        for (const QByteArray marker : {"{", "}"})
            row("playlist marker " + marker, "/a", marker, {}, expected("\"./" + marker + '"'));
        row("quote, backslash, dollar and backquotes in path", "/a", "\"x\"\\$(rm y)`z`", {},
            expected("\"\\\"x\\\"\\\\\\$(rm y)\\`z\\`\""));
        row("newline and tab in path", "/a", "a\nb\tc", {}, expected("\"a\nb\tc\""));
    }

    void command() {
        QFETCH(QByteArray, appDir);
        QFETCH(QByteArray, path);
        QFETCH(QByteArray, idLines);
        QFETCH(QByteArray, command);
        QFETCH(int, rotation);
        MediaInfo info;
        for (const QByteArray& line : idLines.split('\n'))
            info.parseLine(line + '\n');
        const CommandWords player = commandLineFor(appDir, path, info, rotation);
        QCOMPARE(commandText(player), command);
        // The text shows the very words the children are started with: the shell makes them of it.
        QCOMPARE(shellWords(command), nulTerminated(argumentsOf(player)));
        const CommandWords probe = probeCommandFor(path, appDir + "/mplayerrm");
        QCOMPARE(shellWords(commandText(probe)), nulTerminated(argumentsOf(probe)));
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "tst_player_commandline.moc"
