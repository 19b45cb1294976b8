// `cmake --install` into a prefix of its own, a clip played through the installed link, the menu
// entry and metadata validated, and the Debian package with its control fields and files, checked
// by lintian (the same install rules make both).
#include "TestSupport.h"
#include "VidlarkRun.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

namespace {

// Runs a tool to its end: its standard output; when it did not exit with 0, its standard error
// and "[failed]" too.
QByteArray runTool(const QString& tool, const QStringList& args) {
    QProcess process;
    process.start(tool, args);
    const bool ran = process.waitForFinished(240000) && process.exitStatus() == 0;
    const QByteArray said = process.readAllStandardOutput();
    return ran && process.exitCode() == 0
               ? said
               : said + '\n' + process.readAllStandardError() + "[failed]";
}

} // namespace

class InstallTest : public QObject {
    Q_OBJECT
    QTemporaryDir prefix;

private slots:
    void initTestCase() {
        const QByteArray said =
            runTool(VIDLARK_CMAKE, {"--install", VIDLARK_BUILD_DIR, "--prefix", prefix.path()});
        QVERIFY2(!said.endsWith("[failed]"), said);
    }

    // Through the link, the program finds its own directory and the stand-in there runs the
    // real player, which opens the clip.
    void playsThroughTheLink() {
        QTemporaryDir media;
        const QString clip = media.filePath("clip.avi");
        QVERIFY(TestSupport::generateClip(clip, 320, 240, 20, {"-c:v", "mpeg4"}));
        qunsetenv("DISPLAY");
        VidlarkRun run(prefix.filePath("bin/vidlark"), {clip});
        QVERIFY(QTest::qWaitFor([&] { return run.plays(QFile::encodeName(clip)); }, 30000));
        const QList<qint64> below = run.descendants();
        run.signal(SIGTERM);
        QVERIFY(run.waitForExit(20000));
        QCOMPARE(run.exitCode(), 0);
        QCOMPARE(survivors(below, 3000), QList<qint64>());
    }

    void menuEntryAndMetadata() {
        QCOMPARE(runTool("desktop-file-validate",
                         {prefix.filePath("share/applications/vidlark.desktop")}),
                 QByteArray());
        QCOMPARE(runTool("appstreamcli",
                         {"validate", "--no-net", "--pedantic",
                          prefix.filePath("share/metainfo/org.example.vidlark.metainfo.xml")})
                     .trimmed(),
                 QByteArray("✔ Validation was successful."));
    }

    // Its control fields and files; lintian says nothing of it, not even a warning.
    void debianPackage() {
#ifdef VIDLARK_SANITIZED
        QSKIP("the package is made from the build without sanitizers");
#endif
        QTemporaryDir out;
        const QByteArray said = runTool(VIDLARK_CPACK, {"-G", "DEB", "-B", out.path(), "--config",
                                                        VIDLARK_BUILD_DIR "/CPackConfig.cmake"});
        QVERIFY2(!said.endsWith("[failed]"), said);
        const QStringList debs = QDir(out.path()).entryList({"*.deb"});
        QCOMPARE(debs.size(), 1);
        const QString deb = out.filePath(debs[0]);
        const QByteArray fields = runTool("dpkg-deb", {"-f", deb, "Package", "Depends"});
        QVERIFY2(fields.startsWith("Package: vidlark\n"), fields.constData());
        for (const char* package : {"mplayer", "libqt6widgets6", "libqt6gui6", "libqt6core6",
                                    "libqt6dbus6", "fonts-wqy-microhei"})
            QVERIFY2(fields.contains(package), fields.constData());
        const QByteArray files = runTool("dpkg-deb", {"-c", deb});
        for (const char* file :
             {"bin/vidlark -> ../lib/vidlark/vidlark", "lib/vidlark/vidlark", "lib/vidlark/mplayer",
              "lib/vidlark/mplayerrm -> mplayer", "lib/vidlark/.mplayer/menu.conf.in",
              "share/applications/vidlark.desktop", "share/icons/hicolor/scalable/apps/vidlark.svg",
              "share/man/man1/vidlark.1.gz", "share/metainfo/org.example.vidlark.metainfo.xml",
              "share/doc/vidlark/copyright", "share/doc/vidlark/changelog.gz"})
            QVERIFY2(files.contains(" ./usr/" + QByteArray(file) + '\n'), file);
        QCOMPARE(runTool("lintian", {"--fail-on", "error,warning", deb}), QByteArray());
    }
};

QTEST_GUILESS_MAIN(InstallTest)
#include "tst_install.moc"
