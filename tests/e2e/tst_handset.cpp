// The real program, the real MPlayer and real key presses on a private X server.
#include "TestSupport.h"
#include "VidlarkRun.h"
#include "XSession.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

const char canary[] = "vidlark-canary";

// What a playing clip must show.
enum Look { TurnedHalves, TurnedText, UprightHalves, GreenAtFour };

// How a case leaves the program, unless by a signal (any positive value).
enum Road { Menu = 0, CloseRequest = -1, PlayerCrash = -2 };

bool near(QRgb pixel, QRgb colour) {
    return qAbs(qRed(pixel) - qRed(colour)) < 60 && qAbs(qGreen(pixel) - qGreen(colour)) < 60 &&
           qAbs(qBlue(pixel) - qBlue(colour)) < 60;
}

// Subtitle text and the on-screen display, against the clip's dark picture.
QRect brightArea(const QImage& screen, int left, int right) {
    QRect area;
    for (int y = 0; y < screen.height(); ++y)
        for (int x = left; x < right; ++x)
            if (qRed(screen.pixel(x, y)) > 160 && qGreen(screen.pixel(x, y)) > 160)
                area |= QRect(x, y, 1, 1);
    return area;
}

// The bare screen's title bar, shown on the information screen and hidden while a clip plays.
bool titleShown(const QImage& screen) {
    return !screen.isNull() && qBlue(screen.pixel(4, 4)) > qRed(screen.pixel(4, 4)) + 40;
}

// The rows of dark text on the information screen's light ground, one range of rows a line.
QList<std::pair<int, int>> textLines(const QImage& screen) {
    QList<std::pair<int, int>> lines;
    for (int y = 26; titleShown(screen) && y < 290; ++y) {
        bool dark = false;
        for (int x = 5; x < 235 && !dark; ++x)
            dark = qGray(screen.pixel(x, y)) < 100;
        if (dark && (lines.isEmpty() || lines.last().second < y - 1))
            lines.append({y, y});
        else if (dark)
            lines.last().second = y;
    }
    return lines;
}

// The played part of the audio view's bar, in pixels; -1 where the audio view does not show.
int barPlayed(const QImage& screen) {
    if (screen.isNull() || titleShown(screen) || qGray(screen.pixel(2, 185)) > 30)
        return -1;
    int lit = 0;
    for (int x = 14; x < 226; ++x)
        lit += qGray(screen.pixel(x, 185)) > 200;
    return lit;
}

} // namespace

class HandsetTest : public QObject {
    Q_OBJECT
    XSession x;
    QTemporaryDir work;
    QByteArray clip;
    QProcess bystander;
    QSize chineseSubtitle, capitals;
    QImage failureLine;

    // The clip from the source, at its size, in the container its name says; an MP4 is stored
    // as a phone stores a portrait recording: sideways, with a -90 degree display matrix.
    bool makeClip(const QString& path, const QString& source) {
        const bool phone = path.endsWith(".mp4");
        const QString made = phone ? path + ".sideways.mp4" : path;
        const QString codec = path.endsWith(".avi") ? "mpeg4" : "libx264";
        return TestSupport::generateClip(made, 0, 0, 10, {"-c:v", codec, "-g", "25"}, source) &&
               (!phone ||
                QProcess::execute("ffmpeg", {"-loglevel", "error", "-y", "-i", made, "-c", "copy",
                                             "-metadata:s:v", "rotate=270", path}) == 0);
    }

    // vidlark, the stand-ins and the menu file in a directory of their own, with a
    // keyline.
    QString programDirWith(const QString& name, const QByteArray& keyline = {}) {
        const QString dir = work.filePath(name);
        QDir().mkpath(dir + "/.mplayer");
        for (const char* file : {"vidlark", "mplayer", "mplayerrm", ".mplayer/menu.conf.in"})
            QFile::copy(TestSupport::programDir() + '/' + file, dir + '/' + file);
        TestSupport::writeFile(dir + "/keyline", keyline);
        return dir;
    }

    // Starts vidlark from `programDir` (the build's when empty) and waits until it plays. The
    // shell's printf rebuilds the path byte for byte (words are UTF-8); the x keeps a final
    // newline.
    std::unique_ptr<VidlarkRun> play(const QByteArray& mediaPath, const QStringList& options = {},
                                     QString programDir = {}) {
        QByteArray escaped;
        for (unsigned char byte : mediaPath)
            escaped += "\\0" + QByteArray::number(byte, 8).rightJustified(3, '0');
        const QByteArray script =
            "p=$(printf '%bx' '" + escaped + "'); exec \"$0\" \"$@\" \"${p%x}\"";
        if (programDir.isEmpty())
            programDir = TestSupport::programDir();
        auto run = std::make_unique<VidlarkRun>(
            "/bin/sh", QStringList{"-c", script, programDir + "/vidlark"} + options);
        run->waitForOutput("MainWidget setMainWidget ok\n");
        return run;
    }

    QByteArray focusProgram() {
        const QByteArray window = x.waitForWindow("^Vidlark$");
        return x.focus(window), window;
    }

    // Opens the options menu with the left soft key and chooses its last item, "exit".
    void exitFromMenu() {
        focusProgram();
        x.key({"F1"}), x.key({"Up", "Return"});
    }

private slots:
    void initTestCase() {
        if (!x.start())
            QSKIP(qPrintable("no X server: " + x.error()));
        qputenv("QT_QPA_PLATFORM", "xcb"); // for the program, which inherits it
        QDir().mkpath(VIDLARK_SCREENSHOT_DIR);
        clip = QFile::encodeName(work.filePath("clip.avi"));
        QVERIFY(
            TestSupport::generateClip(QFile::decodeName(clip), 320, 240, 30, {"-c:v", "mpeg4"}));
        QFile::remove(canary);
        // Somebody else's idle player, which nothing of ours may touch; it goes with the test.
        bystander.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
        bystander.start("/usr/bin/mplayer",
                        {"-slave", "-idle", "-quiet", "-vo", "null", "-ao", "null"});
        QVERIFY(bystander.waitForStarted());
    }

    // Pixels of the bare screen: a landscape picture turns to fill it, its left half at the
    // bottom; a phone's sideways portrait clip stands upright; a transport stream keeps time; a
    // turned subtitle runs along the right edge, the on-screen display along the left, as high
    // at 1080p as at 320x240; Chinese shows the same glyphs from UTF-8 as from GBK.
    void screenWhilePlaying_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QByteArray>("srt");
        QTest::addColumn<int>("look");
        // Red and blue halves, side by side or one over the other.
        const auto halves = [](const char* size, const char* stack) {
            return QString("color=c=red:s=%1[a];color=c=blue:s=%1[b];[a][b]%2").arg(size, stack);
        };
        QTest::newRow("picture-320x240")
            << "picture.avi" << halves("160x240", "hstack") << QByteArray() << int(TurnedHalves);
        QTest::newRow("phone-upright")
            << "phone.mp4" << halves("480x320", "vstack,transpose=cclock") << QByteArray()
            << int(UprightHalves);
        // Seconds 3 to 5 green: read twice as fast, the clip would show blue at 4 s.
        QTest::newRow("ts-at-4s") << "ts.ts"
                                  << "color=red:640x360:d=3[a];color=green:640x360:d=3[b];"
                                     "color=blue:640x360[c];[a][b][c]concat=n=3"
                                  << QByteArray() << int(GreenAtFour);
        const QString chinese = QString::fromUtf8("字幕随画面转动");
        for (const QStringList& row :
             {QStringList{"english", "UTF-8", "SUBTITLES TURN WITH IT", "320x240"},
              {"chinese", "UTF-8", chinese, "320x240"},
              {"chinese-gbk", "GBK", chinese, "320x240"},
              {"1080p", "UTF-8", "SUBTITLES TURN WITH IT", "1920x1080"}}) {
            QStringEncoder encoder(row[1].toLatin1().constData());
            QTest::newRow(qPrintable("subtitle-" + row[0]))
                << "subtitle-" + row[0] + ".avi"
                << "color=c=0x102030:s=" + row[3]
                << QByteArray(encoder("1\n00:00:00,000 --> 00:00:10,000\n" + row[2] + '\n'))
                << int(TurnedText);
        }
    }

    void screenWhilePlaying() {
        QFETCH(QString, file);
        QFETCH(QString, source);
        QFETCH(QByteArray, srt);
        QFETCH(int, look);
        const QString path = work.filePath(file);
        QVERIFY(makeClip(path, source));
        if (!srt.isEmpty())
            QVERIFY(TestSupport::writeFile(path.chopped(4) + ".srt", srt));
        auto run = play(QFile::encodeName(path), {"-bare"}); // the screen alone
        const QRgb red = qRgb(255, 0, 0), blue = qRgb(0, 0, 255), green = qRgb(0, 128, 0);
        const auto drawn = [&](const QImage& shot) {
            return look == TurnedText     ? brightArea(shot, 160, 240).height() > 40
                   : look == TurnedHalves ? near(shot.pixel(120, 40), blue)
                                          : near(shot.pixel(120, 60), red);
        };
        QImage shot;
        // The player needs a moment to open its output and draw its first frames.
        QTRY_VERIFY_WITH_TIMEOUT((shot = x.screenshot(), drawn(shot)), 15000);
        if (look == GreenAtFour)
            QTest::qWait(4000), shot = x.screenshot();
        shot.save(VIDLARK_SCREENSHOT_DIR "/" + QString::fromUtf8(QTest::currentDataTag()) + ".png");
        if (look == TurnedHalves) {
            QVERIFY(near(shot.pixel(20, 60), blue));
            QVERIFY(near(shot.pixel(120, 280), red) && near(shot.pixel(220, 260), red));
        } else if (look == UprightHalves) {
            QVERIFY(near(shot.pixel(20, 20), red) && near(shot.pixel(220, 140), red));
            QVERIFY(near(shot.pixel(20, 300), blue) && near(shot.pixel(220, 180), blue));
        } else if (look == GreenAtFour) {
            QVERIFY2(near(shot.pixel(120, 160), green), "not the picture of seconds 3 to 5");
        } else {
            const QRect text = brightArea(shot, 160, 240), display = brightArea(shot, 0, 80);
            QVERIFY(text.left() > 200 && text.height() > 2 * text.width());
            QVERIFY2(display.height() > 40 && display.width() >= 8, "no readable display");
            QVERIFY2(brightArea(shot, 60, 180).isEmpty(), "upright text across the picture");
            // Across the turned line: Chinese as the first Chinese, capitals as the first ones.
            QSize& first = file.contains("chinese") ? chineseSubtitle : capitals;
            first = first.isEmpty() ? text.size() : first;
            QVERIFY(text.width() >= 8 && qAbs(text.width() - first.width()) * 4 <= first.width());
            QVERIFY(!file.contains("chinese") || text.size() == first);
        }
        run->signal(SIGTERM);
        QVERIFY(run->waitForExit(10000));
        QCOMPARE(run->exitCode(), 0);
    }

    // A list plays its clips in turn, each fitted whole to the screen: the bars along every edge
    // of the picture show, the landscape clip's turned; an entry that does not play is passed
    // over. After the last the window stops: title bar, information screen and soft-key bar.
    void playlistPlaysEachClipWhole() {
        const QString dir = work.filePath("list");
        QVERIFY(QDir().mkpath(dir + "/sub"));
        const QString bars = "color=c=blue:s=%1:r=25,drawbox=w=%2:h=ih:c=red:t=fill,"
                             "drawbox=x=iw-%2:w=%2:h=ih:c=lime:t=fill,drawbox=w=iw:h=%2:c=yellow:"
                             "t=fill,drawbox=y=ih-%2:w=iw:h=%2:c=magenta:t=fill";
        const QStringList options{"-c:v", "mpeg4", "-q:v", "2"};
        QVERIFY(TestSupport::generateClip(dir + "/sub/wide.avi", 0, 0, 2, options,
                                          bars.arg("320x240").arg(24)));
        QVERIFY(TestSupport::generateClip(dir + "/tall.avi", 0, 0, 2, options,
                                          bars.arg("480x640").arg(40)));
        QVERIFY(TestSupport::writeFile(dir + "/broken.avi", "no clip"));
        const QByteArray list = QFile::encodeName(dir) + "/list.m3u";
        QVERIFY(TestSupport::writeFile(QFile::decodeName(list),
                                       "#EXTM3U\r\nsub/wide.avi\r\nmissing.avi\r\nbroken.avi\r\n" +
                                           QFile::encodeName(dir) + "/tall.avi\r\n"));
        auto run = play(list, {"-bare"});
        // Top, bottom, left and right edges of the screen, then its middle.
        const QList<QPoint> edges{{200, 6}, {120, 314}, {6, 80}, {234, 160}, {120, 160}};
        const QList<QList<QRgb>> views{{0x00ff00, 0xff0000, 0xffff00, 0xff00ff, 0x0000ff},
                                       {0xffff00, 0xff00ff, 0xff0000, 0x00ff00, 0x0000ff},
                                       {0x1d3b62, 0x2b2b2b, 0xefefef, 0xefefef, 0xefefef}};
        QImage shot;
        const auto shows = [&](const QList<QRgb>& colours) {
            shot = x.screenshot();
            for (qsizetype i = 0; i < edges.size(); ++i)
                if (shot.isNull() || !near(shot.pixel(edges[i]), colours[i]))
                    return false;
            return true;
        };
        for (qsizetype i = 0; i < views.size(); ++i) {
            QTRY_VERIFY_WITH_TIMEOUT(shows(views[i]), 15000);
            const QString name = i < 2 ? "entry-" + QString::number(i + 1) : "stopped";
            shot.save(VIDLARK_SCREENSHOT_DIR "/playlist-" + name + ".png");
        }
        const QByteArray out = run->output();
        QVERIFY2(out.count("-identify") == 3 &&
                     out.contains(QFile::encodeName(dir) + "/sub/wide.avi"),
                 out.constData());
        run->signal(SIGTERM);
        QVERIFY(run->waitForExit(10000));
    }

    void leavingPausesOnceAndKeysComeBack() {
        QProcess otherClient;
        otherClient.start("xlogo", {"-geometry", "100x100+0+0"});
        const QString log = work.filePath("player.log");
        qputenv("FAKE_PLAYER_REAL", "/usr/bin/mplayer"); // read by the fake player alone
        qputenv("FAKE_PLAYER_LOG", QFile::encodeName(log));
        qputenv("VIDLARK_MPLAYER", QFile::encodeName(TestSupport::fakePlayer()));
        auto run = play(clip);
        qunsetenv("VIDLARK_MPLAYER"); // the other cases play with the real one
        const QByteArray program = focusProgram(), other = x.waitForWindow("^xlogo$");
        QVERIFY(!program.isEmpty() && !other.isEmpty());
        const auto pauses = [&] { return TestSupport::readLog(log).count("pause\n"); };
        const auto focused = [&] { return x.run("xdotool", {"getwindowfocus"}).trimmed(); };
        QTest::qWait(1000);
        QCOMPARE(focused(), program); // the embedded player never takes it
        QCOMPARE(pauses(), 0);
        x.focus(other);
        QVERIFY(run->waitForOutput("WindowDeactivate\n"));
        QTest::qWait(1000);
        QCOMPARE(pauses(), 1);
        x.focus(program);
        x.key({"5"});
        QTRY_COMPARE_WITH_TIMEOUT(pauses(), 2, 5000);
        QCOMPARE(focused(), program);
        // The menu, then the about box, which takes the focus and so pauses; the keys come back
        // to the window as each closes, without a window manager to give them back.
        x.key({"F1", "Escape", "F2"});
        QTRY_COMPARE_WITH_TIMEOUT(pauses(), 3, 5000);
        x.key({"Return"});
        QTRY_COMPARE(focused(), program);
        x.key({"5"});
        QTRY_COMPARE_WITH_TIMEOUT(pauses(), 4, 5000);
        exitFromMenu();
        QVERIFY(run->waitForExit(5000));
    }

    // What the player says reaches the screen: the end of a clip, with 5 playing it again; a
    // file or a player that cannot play, in a line above the clip's properties; and the time of
    // a clip without a picture, which plays where no sound device is.
    void playerTalksBack_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("withPlayer");
        const QString shortClip = work.filePath("two-seconds.avi");
        QVERIFY(TestSupport::generateClip(shortClip, 320, 240, 2, {"-c:v", "mpeg4"}));
        QVERIFY(TestSupport::generateClip(work.filePath("tone.mp3"), 16, 16, 10, {"-vn"}));
        QVERIFY(TestSupport::writeFile(work.filePath("empty.avi"), {}));
        QTest::newRow("stopped-view") << shortClip << true;
        QTest::newRow("failure-empty-file") << work.filePath("empty.avi") << true;
        QTest::newRow("failure-missing-player") << shortClip << false;
        QTest::newRow("audio") << work.filePath("tone.mp3") << true;
    }
    void playerTalksBack() {
        QFETCH(QString, file);
        QFETCH(bool, withPlayer);
        const QString dir = programDirWith(QTest::currentDataTag());
        QVERIFY(withPlayer || QFile::remove(dir + "/mplayer"));
        auto run = play(QFile::encodeName(file), {"-bare"}, dir);
        const QString tag = QString::fromUtf8(QTest::currentDataTag());
        const auto save = [&](const QImage& shot, const QString& name) {
            shot.save(VIDLARK_SCREENSHOT_DIR "/" + name + ".png");
        };
        QImage shot;
        if (tag == "audio") {
            QTRY_VERIFY_WITH_TIMEOUT((shot = x.screenshot(), barPlayed(shot) > 0), 20000);
            save(shot, "audio-1");
            const int played = barPlayed(shot);
            QTest::qWait(2000);
            save(shot = x.screenshot(), "audio-2");
            QVERIFY2(barPlayed(shot) > played, qPrintable(QString::number(played)));
        } else {
            // The stopped view, or the failure's line above the six of the clip's properties.
            const int lines = tag == "stopped-view" ? 6 : 7;
            QTRY_VERIFY_WITH_TIMEOUT((shot = x.screenshot(), textLines(shot).size() == lines),
                                     20000);
            save(shot, tag);
            if (failureLine.isNull() && lines == 7)
                failureLine = shot.copy(0, textLines(shot)[0].first, 240, 14);
            else if (lines == 7)
                QVERIFY(shot.copy(0, textLines(shot)[0].first, 240, 14) != failureLine);
        }
        if (tag == "stopped-view") {
            x.focus(x.waitForWindow("^Vidlark$"));
            x.key({"2", "8", "5"});
            QTRY_VERIFY_WITH_TIMEOUT(!titleShown(x.screenshot()), 5000);
            QTRY_VERIFY_WITH_TIMEOUT(textLines(x.screenshot()).size() == 6, 20000);
        }
        run->signal(SIGTERM);
        QVERIFY(run->waitForExit(5000));
        QCOMPARE(run->exitCode(), 0);
    }

    // Real keys choose, in a UTF-8 directory, a clip whose Latin-1 name is not UTF-8.
    void pickerPlaysTheChosenName() {
        const QByteArray card = QFile::encodeName(work.filePath("road")) + "/视频";
        const QByteArray picked = card + "/\xc4gypten clip.avi";
        QVERIFY(QDir().mkpath(QFile::decodeName(card)));
        QVERIFY(std::filesystem::copy_file(clip.toStdString(), picked.toStdString()));
        VidlarkRun run(TestSupport::programDir() + "/vidlark",
                       {"-bare", "-card", QFile::decodeName(card)});
        QVERIFY2(run.waitForOutput("\nbegin exec"), run.output().constData());
        const QByteArray window = x.waitForWindow(QString::fromUtf8("打开文件"));
        QVERIFY(!window.isEmpty());
        // Keys pressed before the picker has drawn its selection on the first row can be lost.
        const auto drawn = [](const QImage& s) {
            return !s.isNull() && s.pixel(120, 1) == qRgb(255, 255, 255) &&
                   (s.pixel(120, 0) | s.pixel(120, 2)) == qRgb(0, 0, 0);
        };
        QTRY_VERIFY_WITH_TIMEOUT(drawn(x.screenshot()), 15000);
        x.focus(window);
        // Up from the card, then down past "." and ".." to the one name in each listing.
        x.key({"Left", "Down", "Down", "Return", "Down", "Down", "Return"});
        QVERIFY2(run.waitForOutput("\nget name"), run.output().constData());
        QTRY_VERIFY_WITH_TIMEOUT(run.plays(picked), 20000);
        exitFromMenu();
        QVERIFY(run.waitForExit(20000));
        QCOMPARE(run.exitCode(), 0);
        const QByteArray out = run.output();
        QVERIFY2(out.startsWith("begin\nApplication new ok\n\nbegin exec\nexec ok\nget name") &&
                     out.endsWith("\nunget name"),
                 out.constData());
    }

    // Each road out with the real player, a script in its place that ignores TERM, INT and HUP,
    // and a player that crashes; then the menu's exit after names and paths that must play and
    // run nothing. The real player runs from a directory with a space, with a CRLF keyline.
    void exitRoadsLeaveNoPlayer_data() {
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<QString>("programDir");
        QTest::addColumn<int>("road");
        const QString spaced = programDirWith("program dir", "50=seek +10\r\n56=osd\r\n");
        const QString stubborn = programDirWith("stubborn");
        TestSupport::writeFile(stubborn + "/mplayer",
                               "#!/bin/sh\ntrap '' TERM INT HUP\nsleep 1000 &\n"
                               "for word; do case $word in *.avi) exec 3<\"$word\";; esac; done\n"
                               "while :; do sleep 1; done\n");
        for (const QString& dir : {spaced, stubborn}) {
            const char* player = dir == spaced ? "" : ", stubborn script";
            QTest::addRow("menu exit%s", player) << clip << dir << int(Menu);
            QTest::addRow("close request%s", player) << clip << dir << int(CloseRequest);
            for (const int signal : {SIGTERM, SIGINT, SIGHUP, SIGKILL})
                QTest::addRow("SIG%s%s", sigabbrev_np(signal), player) << clip << dir << signal;
        }
        QTest::newRow("player crashes") << clip << spaced << int(PlayerCrash);
        const QByteArray dir = QFile::encodeName(work.path());
        QByteArray deep = dir;
        while (deep.size() < 3700)
            deep += '/' + QByteArray(250, 'd');
        QDir().mkpath(QFile::decodeName(deep));
        deep += '/' + QByteArray(3990 - deep.size(), 'f') + ".avi";
        QTest::newRow("4000-byte path") << deep << spaced << int(Menu);
        for (const QByteArray name :
             {"with space", "double\"quote", "single'quote", "$(touch vidlark-canary)",
              "`touch vidlark-canary`", ";touch vidlark-canary;", "new\nline", "not\xff\xfeutf8"})
            QTest::newRow(name.constData()) << dir + '/' + name + ".avi" << spaced << int(Menu);
    }

    void exitRoadsLeaveNoPlayer() {
        QFETCH(QByteArray, path);
        QFETCH(QString, programDir);
        QFETCH(int, road);
        QVERIFY(::access(path, F_OK) == 0 || ::link(clip.constData(), path.constData()) == 0);
        auto run = play(path, {}, programDir);
        QTRY_VERIFY_WITH_TIMEOUT(run->plays(path), 20000);
        const QList<qint64> below = run->descendants();
        const bool throughMenu = road == Menu || road == PlayerCrash;
        if (road == PlayerCrash) {
            const QList<qint64> players = run->descendants("mplayer");
            QCOMPARE(players.size(), 1);
            ::kill(pid_t(players[0]), SIGSEGV);
            QCOMPARE(survivors(players, 3000), QList<qint64>());
        }
        if (throughMenu) {
            focusProgram();
            x.key({"2", "5", "8", "5"}); // commands, lost on a player that is gone or deaf
            exitFromMenu();
        } else if (road == CloseRequest) {
            x.requestClose(focusProgram());
        } else {
            run->signal(road);
        }
        QVERIFY2(run->waitForExit(8000), run->output().constData());
        QCOMPARE(run->exitCode(), road == SIGKILL ? -1 : 0);
        QVERIFY(!throughMenu || run->output().endsWith("exit\n\nexit3!\n"));
        QCOMPARE(survivors(below, 1000), QList<qint64>());
        QVERIFY(TestSupport::processAlive(bystander.processId()));
        QVERIFY2(!QFile::exists(canary), "a command was run from a name");
    }

    // Started as launchers and pipelines may start it: each shows its window and ends on SIGTERM
    // with nothing left behind. The keyline traces 260 KB before the window shows, and every key
    // traces more, which no pipe holds.
    void hostileStandardDescriptors_data() {
        QTest::addColumn<QList<int>>("closed");
        QTest::addColumn<bool>("unreadPipe");
        QTest::newRow("standard output closed") << QList<int>{1} << false;
        QTest::newRow("standard error closed") << QList<int>{2} << false;
        QTest::newRow("all three closed") << QList<int>{0, 1, 2} << false;
        QTest::newRow("standard output a pipe nobody reads, 10,000 keys, 1024-line keyline")
            << QList<int>{} << true;
    }
    void hostileStandardDescriptors() {
        QFETCH(QList<int>, closed);
        QFETCH(bool, unreadPipe);
        QByteArray keyline;
        for (int key = 1000; unreadPipe && key < 2024; ++key)
            keyline += QByteArray::number(key) + '=' + QByteArray(250, 'a') + '\n';
        const QString dir = programDirWith(QTest::currentDataTag(), keyline);
        int unread[2] = {-1, -1};
        QVERIFY(!unreadPipe || pipe2(unread, O_CLOEXEC) == 0);
        QElapsedTimer clock;
        clock.start();
        VidlarkRun run(dir + "/vidlark", {QFile::decodeName(clip)}, [&] {
            for (const int fd : closed)
                ::close(fd);
            if (unread[1] >= 0)
                dup2(unread[1], STDOUT_FILENO);
        });
        const QByteArray window = x.waitForWindow("^Vidlark$");
        QVERIFY(!window.isEmpty() && clock.elapsed() < 3000);
        QTRY_VERIFY_WITH_TIMEOUT(run.plays(clip), 20000);
        if (unreadPipe) {
            x.focus(window);
            x.run("xdotool", {"key", "--delay", "0", "--repeat", "10000", "1"});
            ::close(unread[1]);
        }
        const QList<qint64> below = run.descendants();
        clock.restart();
        run.signal(SIGTERM);
        QVERIFY(run.waitForExit(1000) && clock.elapsed() < 1000);
        QCOMPARE(run.exitCode(), 0);
        QCOMPARE(survivors(below, 1000), QList<qint64>());
        if (unreadPipe)
            ::close(unread[0]);
    }

    void cleanupTestCase() {
        std::filesystem::remove_all(work.path().toStdString()); // QDir cannot name every file
    }
};

QTEST_GUILESS_MAIN(HandsetTest)
#include "tst_handset.moc"
