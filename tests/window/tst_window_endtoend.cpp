#include "TestSupport.h"
#include "VidlarkRun.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

class EndToEndTest : public QObject {
    Q_OBJECT
private slots:
    // The real player under the program opens a clip whose path the shell must not take apart.
    void realPlayerOpensTheClip() {
        QTemporaryDir media;
        const QString clip = media.filePath("it's \"a\" $(x) `b` \\c;&/clip.avi");
        QVERIFY(QDir().mkpath(QFileInfo(clip).path()));
        QVERIFY(TestSupport::generateClip(clip, 320, 240, 20, {"-c:v", "mpeg4"}));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("DISPLAY");
        VidlarkRun run(TestSupport::programDir() + "/vidlark", {clip}, environment);
        const auto playing = [&] { // the playing player, not the identify run
            for (qint64 pid : run.descendants()) {
                const QString proc = "/proc/" + QString::number(pid);
                QFile cmdline(proc + "/cmdline");
                if (!cmdline.open(QIODevice::ReadOnly) ||
                    !cmdline.readAll().contains(QByteArray("\0-slave\0", 8)))
                    continue;
                for (const QFileInfo& fd :
                     QDir(proc + "/fd").entryInfoList(QDir::Files | QDir::System))
                    if (fd.symLinkTarget() == clip)
                        return true;
            }
            return false;
        };
        QVERIFY(QTest::qWaitFor(playing, 30000));
        const QList<qint64> below = run.descendants();
        ::kill(pid_t(run.pid()), SIGTERM);
        QVERIFY(run.waitForExit(20000));
        QCOMPARE(run.exitCode(), 0);
        QCOMPARE(ProcessTree::survivors(below, 3000), QList<qint64>());
    }
};

QTEST_GUILESS_MAIN(EndToEndTest)
#include "tst_window_endtoend.moc"
