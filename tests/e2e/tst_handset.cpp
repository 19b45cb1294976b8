// The real program, the real MPlayer and real key presses on a private X server.
#include "Handset.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char canary[] = "vidlark-canary";

// Two colour halves side by side (or stacked), so a turn shows where each half goes.
QString halves(bool stacked, int width, int height) {
    return QStringLiteral("color=c=red:s=%1x%2:r=25[a];color=c=blue:s=%1x%2:r=25[b];[a][b]%3")
        .arg(stacked ? width : width / 2)
        .arg(stacked ? height / 2 : height)
        .arg(stacked ? "vstack" : "hstack");
}

bool near(QRgb pixel, QRgb colour) {
    return qAbs(qRed(pixel) - qRed(colour)) < 60 && qAbs(qGreen(pixel) - qGreen(colour)) < 60 &&
           qAbs(qBlue(pixel) - qBlue(colour)) < 60;
}

// Subtitle text (yellow) and the on-screen display, against the clip's dark picture.
QRect brightArea(const QImage& screen, int left, int right) {
    QRect area;
    for (int y = 0; y < screen.height(); ++y)
        for (int x = left; x < right; ++x)
            if (qRed(screen.pixel(x, y)) > 160 && qGreen(screen.pixel(x, y)) > 160)
                area |= QRect(x, y, 1, 1);
    return area;
}

void writeFile(const QByteArray& path, const QByteArray& bytes) {
    FILE* out = std::fopen(path.constData(), "wb"); // names here need not be UTF-8
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), out);
    std::fclose(out);
}

} // namespace

class HandsetTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void pictureFillsThePortraitScreen_data();
    void pictureFillsThePortraitScreen();
    void noPlayerOutlivesTheProgram_data();
    void noPlayerOutlivesTheProgram();
    void programSurvivesItsPlayerCrashing();
    void leavingPausesOnceAndFiveResumes();
    void subtitlesTurnWithThePicture();
    void badInputStartsAndExits_data();
    void badInputStartsAndExits();

private:
    QList<qint64> processesOnceThePlayerRuns(VidlarkRun& run);
    QString programDirWith(const QString& name, const QByteArray& keyline);

    Handset handset;
    QTemporaryDir work;
    QByteArray clip;
    QByteArray clipBytes;
    QProcess bystander;
};

void HandsetTest::initTestCase() {
    QString why;
    if (!handset.start(&why))
        QSKIP(qPrintable("no X server: " + why));
    ProcessTree::adoptOrphans();
    QDir().mkpath(VIDLARK_SCREENSHOT_DIR);
    clip = QFile::encodeName(work.filePath("clip.avi"));
    QVERIFY(TestSupport::generateClip(work.filePath("clip.avi"), 320, 240, 30, {"-c:v", "mpeg4"}));
    clipBytes = TestSupport::readLog(work.filePath("clip.avi"));
    QFile::remove(canary);
    // Somebody else's idle player, which nothing of ours may touch.
    bystander.start("/usr/bin/mplayer",
                    {"-slave", "-idle", "-quiet", "-vo", "null", "-ao", "null"});
    QVERIFY(bystander.waitForStarted());
}

void HandsetTest::cleanupTestCase() {
    bystander.kill();
    bystander.waitForFinished();
}

// Every process below the program, once one of them is the player.
QList<qint64> HandsetTest::processesOnceThePlayerRuns(VidlarkRun& run) {
    QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        const QList<qint64> below = run.descendants();
        for (qint64 pid : ProcessTree::named("mplayer")) {
            if (below.contains(pid))
                return below;
        }
        QTest::qWait(50);
    }
    return {};
}

// vidlark, the stand-ins and the menu file in a directory of their own, with a key binding file.
QString HandsetTest::programDirWith(const QString& name, const QByteArray& keyline) {
    const QString dir = work.filePath(name);
    QDir().mkpath(dir + "/.mplayer");
    for (const char* file : {"vidlark", "mplayer", "mplayerrm", ".mplayer/menu.conf.in"})
        QFile::copy(TestSupport::programDir() + '/' + file, dir + '/' + file);
    if (!keyline.isNull())
        writeFile(QFile::encodeName(dir + "/keyline"), keyline);
    return dir;
}

void HandsetTest::pictureFillsThePortraitScreen_data() {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QList<QPoint>>("points");
    QTest::addColumn<QList<QRgb>>("colours");
    const QRgb red = qRgb(255, 0, 0), blue = qRgb(0, 0, 255), green = qRgb(0, 128, 0), black = 0;
    QTest::newRow("320x240 turns: left half at the bottom")
        << QSize(320, 240) << halves(false, 320, 240)
        << QList<QPoint>{{120, 40}, {120, 280}, {20, 60}, {220, 260}}
        << QList<QRgb>{blue, red, blue, red};
    QTest::newRow("240x320 fills unturned")
        << QSize(240, 320) << halves(true, 240, 320)
        << QList<QPoint>{{120, 40}, {120, 280}, {10, 10}, {230, 310}}
        << QList<QRgb>{red, blue, red, blue};
    QTest::newRow("176x144 is padded")
        << QSize(176, 144) << QStringLiteral("color=c=green:s=176x144:r=25")
        << QList<QPoint>{{120, 160}, {10, 160}, {230, 160}, {120, 10}, {120, 310}}
        << QList<QRgb>{green, black, black, black, black};
}

void HandsetTest::pictureFillsThePortraitScreen() {
    QFETCH(QSize, size);
    QFETCH(QString, source);
    QFETCH(QList<QPoint>, points);
    QFETCH(QList<QRgb>, colours);
    const QString name = QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
    const QString path = work.filePath(name + ".avi");
    QVERIFY(TestSupport::generateClip(path, size.width(), size.height(), 8,
                                      {"-c:v", "mpeg4", "-q:v", "2"}, source));
    auto run = handset.play({"-bare", path}); // the screen alone fills the X server's
    QImage shot;
    // The player needs a moment to open its output and draw its first frames.
    QTRY_VERIFY_WITH_TIMEOUT(
        (shot = handset.x().screenshot(), near(shot.pixel(points[0]), colours[0])), 15000);
    shot.save(QStringLiteral(VIDLARK_SCREENSHOT_DIR "/playing-%1.png").arg(name));
    for (qsizetype i = 0; i < points.size(); ++i)
        QVERIFY2(near(shot.pixel(points[i]), colours[i]), qPrintable(QString::number(i)));
    ::kill(pid_t(run->pid()), SIGTERM);
    QVERIFY(run->waitForExit(10000));
    QCOMPARE(run->exitCode(), 0);
}

// The real player, and a plain script in its place that ignores TERM, INT and HUP, reads nothing
// and leaves a child of its own.
void HandsetTest::noPlayerOutlivesTheProgram_data() {
    QTest::addColumn<QString>("road");
    QTest::addColumn<int>("signal");
    QTest::addColumn<QString>("programDir");
    const QString stubborn = programDirWith("stubborn", {});
    writeFile(QFile::encodeName(stubborn + "/mplayer"),
              "#!/bin/sh\ntrap '' TERM INT HUP\nsleep 1000 &\nwhile :; do sleep 1; done\n");
    for (const QString& dir : {QString(), stubborn}) {
        const char* player = dir.isEmpty() ? "" : ", stubborn script";
        QTest::addRow("menu exit%s", player) << "menu" << 0 << dir;
        QTest::addRow("close request%s", player) << "close" << 0 << dir;
        QTest::addRow("SIGTERM%s", player) << "signal" << SIGTERM << dir;
        QTest::addRow("SIGINT%s", player) << "signal" << SIGINT << dir;
        QTest::addRow("SIGHUP%s", player) << "signal" << SIGHUP << dir;
        QTest::addRow("SIGKILL%s", player) << "signal" << SIGKILL << dir;
    }
}

void HandsetTest::noPlayerOutlivesTheProgram() {
    QFETCH(QString, road);
    QFETCH(int, signal);
    QFETCH(QString, programDir);
    auto run = handset.playBytes(clip, programDir);
    const QList<qint64> below = processesOnceThePlayerRuns(*run);
    QVERIFY2(!below.isEmpty(), "the player did not start");
    if (road == "menu")
        handset.exitFromMenu();
    else if (road == "close")
        handset.x().run(VIDLARK_CLOSE_REQUEST, {QString::fromLatin1(handset.focusProgram())});
    else
        ::kill(pid_t(run->pid()), signal);
    QVERIFY2(run->waitForExit(5000), run->output().constData());
    if (signal != SIGKILL) {
        QVERIFY(!run->crashed());
        QCOMPARE(run->exitCode(), 0);
    }
    QCOMPARE(ProcessTree::survivors(below, 1000), QList<qint64>());
    QVERIFY(TestSupport::processAlive(bystander.processId()));
}

void HandsetTest::programSurvivesItsPlayerCrashing() {
    auto run = handset.play({QFile::decodeName(clip)});
    const QList<qint64> below = processesOnceThePlayerRuns(*run);
    QList<qint64> players = ProcessTree::named("mplayer");
    players.removeIf([&](qint64 pid) { return !below.contains(pid); });
    QCOMPARE(players.size(), 1);
    ::kill(pid_t(players[0]), SIGSEGV);
    QCOMPARE(ProcessTree::survivors(players, 3000), QList<qint64>());
    handset.focusProgram();
    handset.x().key({"2", "5", "8", "5"}); // commands for a dead player are lost
    handset.exitFromMenu();
    QVERIFY2(run->waitForExit(5000), run->output().constData());
    QCOMPARE(run->exitCode(), 0);
    QVERIFY(run->output().endsWith("exit\n\nexit3!\n"));
    QCOMPARE(ProcessTree::survivors(below, 3000), QList<qint64>());
    QVERIFY(TestSupport::processAlive(bystander.processId()));
}

void HandsetTest::leavingPausesOnceAndFiveResumes() {
    QProcess otherClient;
    otherClient.setProcessEnvironment(handset.environment());
    otherClient.start("xlogo", {"-geometry", "100x100+0+0"});
    QProcessEnvironment environment = handset.environment();
    environment.insert("VIDLARK_MPLAYER", TestSupport::fakePlayer());
    environment.insert("FAKE_PLAYER_REAL", "/usr/bin/mplayer");
    environment.insert("FAKE_PLAYER_LOG", work.filePath("player.log"));
    auto run = handset.play({QFile::decodeName(clip)}, {}, environment);
    const QByteArray program = handset.focusProgram();
    const QByteArray other = handset.x().waitForWindow("^xlogo$");
    QVERIFY(!program.isEmpty() && !other.isEmpty());
    const auto pauses = [&] {
        return TestSupport::readLog(work.filePath("player.log")).count("pause\n");
    };
    const auto focused = [&] { return handset.x().run("xdotool", {"getwindowfocus"}).trimmed(); };
    QTest::qWait(1000);
    QCOMPARE(focused(), program); // the embedded player never takes it
    QCOMPARE(pauses(), 0);

    handset.x().focus(other);
    QVERIFY(run->waitForOutput("WindowDeactivate\n"));
    QTRY_COMPARE_WITH_TIMEOUT(pauses(), 1, 5000);
    handset.x().focus(other);
    QTest::qWait(500);
    QCOMPARE(pauses(), 1);

    handset.x().focus(program);
    handset.x().key({"5"});
    QTRY_COMPARE_WITH_TIMEOUT(pauses(), 2, 5000);
    QCOMPARE(focused(), program);
    handset.exitFromMenu();
    QVERIFY(run->waitForExit(5000));
    otherClient.kill();
    otherClient.waitForFinished();
}

// A turned clip with a .srt beside it: the subtitle runs along the right edge of the portrait
// screen and the on-screen display along the left, nothing lies across the middle columns where
// an upright line would; Chinese shows the same glyphs from a UTF-8 file as from a GBK one.
void HandsetTest::subtitlesTurnWithThePicture() {
    const QString chinese = QString::fromUtf8("字幕随画面转动");
    const QList<QStringList> cases{{"english", "UTF-8", "Subtitles turn with it"},
                                   {"chinese", "UTF-8", chinese},
                                   {"chinese-gbk", "GBK", chinese}};
    QImage chineseSubtitle;
    for (const QStringList& row : cases) {
        const QString name = work.filePath("subtitle-" + row[0]);
        QVERIFY(TestSupport::generateClip(name + ".avi", 320, 240, 10, {"-c:v", "mpeg4"},
                                          "color=c=0x102030:s=320x240:r=25"));
        QProcess iconv;
        iconv.setStandardOutputFile(name + ".srt");
        iconv.start("iconv", {"-f", "UTF-8", "-t", row[1]});
        iconv.write(("1\n00:00:00,000 --> 00:00:10,000\n" + row[2] + '\n').toUtf8());
        iconv.closeWriteChannel();
        QVERIFY(iconv.waitForFinished() && iconv.exitCode() == 0);
        auto run = handset.play({"-bare", name + ".avi"}); // pixels of the screen alone
        QImage shot;
        QTRY_VERIFY_WITH_TIMEOUT(
            (shot = handset.x().screenshot(), brightArea(shot, 160, 240).height() > 40), 15000);
        shot.save(QStringLiteral(VIDLARK_SCREENSHOT_DIR "/subtitle-%1.png").arg(row[0]));
        const QRect subtitle = brightArea(shot, 160, 240);
        QVERIFY2(subtitle.left() > 200 && subtitle.height() > 2 * subtitle.width(),
                 qPrintable(row[0]));
        QVERIFY2(brightArea(shot, 0, 80).height() > 40, "no on-screen display on the left");
        QVERIFY2(brightArea(shot, 60, 180).isEmpty(), "upright text across the picture");
        if (row[2] == chinese && chineseSubtitle.isNull())
            chineseSubtitle = shot.copy(subtitle);
        else if (row[2] == chinese)
            QCOMPARE(shot.copy(subtitle).size(), chineseSubtitle.size());
        ::kill(pid_t(run->pid()), SIGTERM);
        QVERIFY(run->waitForExit(10000));
    }
}

void HandsetTest::badInputStartsAndExits_data() {
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<QString>("programDir");
    const QByteArray dir = QFile::encodeName(work.path());
    writeFile(dir + "/empty.avi", {});
    writeFile(dir + "/text.avi", "This is not a clip.\n");
    writeFile(dir + "/truncated.avi", clipBytes.left(clipBytes.size() / 3));
    QTest::newRow("missing file") << dir + "/missing.avi" << QString();
    QTest::newRow("directory") << dir << QString();
    QTest::newRow("zero-byte file") << dir + "/empty.avi" << QString();
    QTest::newRow("text file named .avi") << dir + "/text.avi" << QString();
    QTest::newRow("truncated clip") << dir + "/truncated.avi" << QString();
    // The probe is given up on these at its limit; the window opens as after a failed probe.
    QVERIFY(mkfifo((dir + "/x.avi").constData(), 0600) == 0 &&
            symlink("/dev/zero", (dir + "/zero.avi").constData()) == 0);
    QTest::newRow("FIFO named x.avi") << dir + "/x.avi" << QString();
    QTest::newRow("link to /dev/zero named zero.avi") << dir + "/zero.avi" << QString();
    for (const QByteArray name :
         {"with space", "double\"quote", "single'quote", "$(touch vidlark-canary)",
          "`touch vidlark-canary`", ";touch vidlark-canary;", "new\nline", "not\xff\xfeutf8"}) {
        writeFile(dir + '/' + name + ".avi", clipBytes);
        QTest::newRow(name.constData()) << dir + '/' + name + ".avi" << QString();
    }
    QByteArray deep = dir;
    while (deep.size() < 3700)
        deep += '/' + QByteArray(250, 'd');
    QDir().mkpath(QFile::decodeName(deep));
    const QByteArray longPath = deep + '/' + QByteArray(3990 - deep.size(), 'f') + ".avi";
    writeFile(longPath, clipBytes);
    QTest::newRow("4000-byte path") << longPath << QString();

    QTest::newRow("program directory with a space") << clip << programDirWith("program dir", {});
    QByteArray huge;
    for (int code = 100000; huge.size() < 50 * 1024 * 1024; ++code)
        huge += QByteArray::number(code) + "=seek +1 " + QByteArray(40, 'x') + '\n';
    QTest::newRow("50 MB keyline") << clip << programDirWith("huge", huge);
    QByteArray noise(64 * 1024, Qt::Uninitialized);
    QRandomGenerator random(42);
    for (char& byte : noise)
        byte = char(random.bounded(256));
    QTest::newRow("binary keyline") << clip << programDirWith("noise", noise);
    QTest::newRow("CRLF keyline") << clip << programDirWith("crlf", "50=seek +10\r\n56=osd\r\n");
}

void HandsetTest::badInputStartsAndExits() {
    QFETCH(QByteArray, path);
    QFETCH(QString, programDir);
    auto run = handset.playBytes(path, programDir);
    QVERIFY2(run->output().contains("MainWidget setMainWidget ok\n"), "did not start playing");
    QVERIFY(!handset.focusProgram().isEmpty());
    handset.x().key({"2", "5"}); // a jump, then the information screen
    QTest::qWait(300);
    handset.exitFromMenu();
    QVERIFY2(run->waitForExit(8000), "did not exit from the menu");
    QCOMPARE(run->exitCode(), 0);
    QVERIFY(run->output().contains("exit\n"));
    QVERIFY2(!QFile::exists(canary), "a command was run from a name");
}

QTEST_GUILESS_MAIN(HandsetTest)
#include "tst_handset.moc"
