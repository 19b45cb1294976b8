// The real program under a private X server: real keys choose a clip, the real player plays it.
#include "DirListing.h"
#include "Handset.h"
#include "TestSupport.h"

#include <QDir>
#include <QTest>
#include <cstdio>
#include <filesystem>

namespace {

bool selectionOnFirstRow(const QImage& screen) {
    return !screen.isNull() && screen.pixel(120, 0) == qRgb(0, 0, 0) &&
           screen.pixel(120, 1) == qRgb(255, 255, 255) && screen.pixel(120, 2) == qRgb(0, 0, 0);
}

// From the directory the picker shows down each directory to the next name.
QStringList keysTo(const QByteArray& shown, const QByteArray& path) {
    QStringList keys;
    DirListing listing(shown);
    for (const QByteArray& name : path.mid(shown.size() + 1).split('/')) {
        for (int row = 0; listing.at(row).name != name; ++row)
            keys << "Down";
        keys << "Return";
        listing.cd(name);
    }
    return keys;
}

} // namespace

class PickerRoadTest : public QObject {
    Q_OBJECT

private slots:
    void chosenClipPlays() {
        Handset handset;
        if (!handset.start())
            QSKIP(qPrintable("no X server: " + handset.error()));
        // Under the build tree, whose listings stay put while the keys are on their way.
        QDir tree(QStringLiteral(PICKER_ROAD_DIR));
        std::filesystem::remove_all(PICKER_ROAD_DIR); // QDir cannot name the clip
        QVERIFY(tree.mkpath(QString::fromUtf8("视频")));
        const QString card = tree.filePath(QString::fromUtf8("视频"));
        const QString made = card + "/clip.avi";
        QVERIFY(TestSupport::generateClip(made, 320, 240, 30, {"-c:v", "mpeg4"}));
        // A UTF-8 directory, and a Latin-1 file name that is not UTF-8.
        const QByteArray clip = QFile::encodeName(card) + "/\xc4gypten clip.avi";
        QCOMPARE(::rename(QFile::encodeName(made).constData(), clip.constData()), 0);
        // The card is the clip's directory; going up from there is the first key.
        VidlarkRun run(TestSupport::programDir() + "/vidlark", {"-bare", "-card", card},
                       handset.environment());
        QVERIFY2(run.waitForOutput("\nbegin exec"), run.output().constData());
        const QByteArray window = handset.waitForWindow(QString::fromUtf8("打开文件"));
        QVERIFY(!window.isEmpty());
        // Keys pressed before the picker has drawn its selection can be lost.
        QTRY_VERIFY_WITH_TIMEOUT(selectionOnFirstRow(handset.screenshot()), 15000);
        handset.focus(window);
        handset.key(QStringList{"Left"} + keysTo(QFile::encodeName(tree.path()), clip));
        QVERIFY2(run.waitForOutput("\nget name"), run.output().constData());
        QTRY_VERIFY_WITH_TIMEOUT(run.plays(clip), 20000);
        handset.exitFromMenu();
        QVERIFY(run.waitForExit(20000));
        QCOMPARE(run.exitCode(), 0);
        const QByteArray start = "begin\nApplication new ok\n\nbegin exec\nexec ok\nget name";
        QCOMPARE(run.output().left(start.size()), start);
        QCOMPARE(run.output().right(11), "\nunget name");
    }
};

QTEST_GUILESS_MAIN(PickerRoadTest)
#include "tst_pickerroad.moc"
