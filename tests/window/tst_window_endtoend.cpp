// The whole program on the direct road with the real MPlayer behind the stand-in: the player is
// started with the full command line, opens the clip, and is gone after an orderly end.
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

namespace {

QByteArray procFile(qint64 pid, const char* name) {
    QFile file(QStringLiteral("/proc/%1/%2").arg(pid).arg(QLatin1String(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

qint64 parentOf(qint64 pid) {
    const QByteArray stat = procFile(pid, "stat");
    const qsizetype close = stat.lastIndexOf(')');
    return close < 0 ? -1 : stat.mid(close + 2).split(' ').value(1).toLongLong();
}

// Live processes below `root`, nearest first.
QList<qint64> descendants(qint64 root) {
    QList<qint64> found{root};
    const QStringList entries = QDir("/proc").entryList(QDir::Dirs);
    for (qsizetype i = 0; i < found.size(); ++i) {
        for (const QString& entry : entries) {
            bool numeric = false;
            const qint64 pid = entry.toLongLong(&numeric);
            if (numeric && parentOf(pid) == found[i] && TestSupport::processAlive(pid))
                found << pid;
        }
    }
    found.removeFirst();
    return found;
}

// The playing MPlayer below `root`, not the identify run.
qint64 slavePlayerBelow(qint64 root) {
    for (qint64 pid : descendants(root))
        if (QFile::symLinkTarget(QStringLiteral("/proc/%1/exe").arg(pid)) == "/usr/bin/mplayer" &&
            procFile(pid, "cmdline").split('\0').contains("-slave"))
            return pid;
    return 0;
}

QStringList openFiles(qint64 pid) {
    const QDir fds(QStringLiteral("/proc/%1/fd").arg(pid));
    QStringList files;
    for (const QString& fd : fds.entryList(QDir::Files | QDir::System | QDir::NoDotAndDotDot))
        files << QFile::symLinkTarget(fds.filePath(fd));
    return files;
}

} // namespace

class EndToEndTest : public QObject {
    Q_OBJECT
private slots:
    void realPlayerRunsWithTheFullCommandLine();
};

void EndToEndTest::realPlayerRunsWithTheFullCommandLine() {
    QTemporaryDir media;
    QVERIFY(media.isValid());
    const QString clip = media.filePath("clip.avi");
    QVERIFY(TestSupport::generateClip(clip, 320, 240, 20, {"-c:v", "mpeg4"}));
    const QByteArray appDir = QFile::encodeName(TestSupport::programDir());
    const QByteArray clipBytes = QFile::encodeName(clip);

    QProcess vidlark;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY");
    environment.remove("VIDLARK_MPLAYER");
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    vidlark.setProcessEnvironment(environment);
    vidlark.start(TestSupport::programDir() + "/vidlark", {clip});
    QVERIFY(vidlark.waitForStarted());

    qint64 player = 0;
    QTRY_VERIFY_WITH_TIMEOUT((player = slavePlayerBelow(vidlark.processId())), 30000);
    const qint64 shell = parentOf(player);
    QCOMPARE(parentOf(shell), vidlark.processId());

    const QByteArray command =
        appDir +
        "/mplayer -slave -quiet -nortc -osdlevel 3 -vf rotate=2,crop=240:320 -subrotate 2 "
        "-af channels=2,resample=44100:0:0,volume=-15 -autosync 0 -mc 0 -sws 0 -framedrop "
        "-idle -menu -menu-cfg \"" +
        appDir + "/.mplayer/menu.conf.in\" -font /usr/language/fonts/AMCSL.TTF \"" + clipBytes +
        "\"";
    QCOMPARE(procFile(shell, "cmdline"), "sh" + QByteArray(1, '\0') + "-c" + QByteArray(1, '\0') +
                                             command + QByteArray(1, '\0'));

    const QByteArrayList words = procFile(player, "cmdline").chopped(1).split('\0');
    QCOMPARE(words.mid(0, 4), (QByteArrayList{"mplayer", "-vo", "null", "-slave"}));
    QCOMPARE(words.last(), clipBytes);
    QVERIFY(!words.contains("-subrotate"));
    QTRY_VERIFY2_WITH_TIMEOUT(openFiles(player).contains(clip),
                              qPrintable(openFiles(player).join(' ')), 20000);

    ::kill(pid_t(vidlark.processId()), SIGTERM);
    QVERIFY(vidlark.waitForFinished(20000));
    QCOMPARE(vidlark.exitStatus(), QProcess::NormalExit);
    QCOMPARE(vidlark.exitCode(), 0);
    QVERIFY(vidlark.readAllStandardOutput().endsWith("\nexit3!"));
    QTRY_VERIFY(!TestSupport::processAlive(player));
    QVERIFY(!TestSupport::processAlive(shell));
}

QTEST_GUILESS_MAIN(EndToEndTest)
#include "tst_window_endtoend.moc"
