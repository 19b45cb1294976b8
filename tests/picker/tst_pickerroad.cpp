// The picker road of the real program under a private X server: real key presses walk from the
// memory card (or the root, where there is none) to a clip, and the real player plays it.
#include "DirListing.h"
#include "Handset.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

const QString PickerTitle = QString::fromUtf8("打开文件");

// The keys that take the picker from where it starts to `path` and choose it: up to the root
// first, then down each directory to the next name, rows counted in the same listing.
QStringList keysTo(const QByteArray& path) {
    QStringList keys{"Left", "Left", "Left"};
    DirListing listing("/");
    for (const QByteArray& name : path.mid(1).split('/')) {
        int row = 0;
        while (row < listing.count() && listing.at(row).name != name)
            ++row;
        for (int i = 0; i < row; ++i)
            keys << "Down";
        keys << "Return";
        listing.cd(name);
    }
    return keys;
}

QByteArray commandLineOf(qint64 pid) {
    QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(pid));
    return cmdline.open(QIODevice::ReadOnly) ? cmdline.readAll() : QByteArray();
}

// Keys pressed before the picker has drawn itself can be lost on their way to it.
bool showsSelectionOnFirstRow(const XSession& x) {
    QDeadlineTimer deadline(15000);
    while (!deadline.hasExpired()) {
        const QImage screen = x.screenshot();
        if (!screen.isNull() && screen.pixel(120, 0) == qRgb(0, 0, 0) &&
            screen.pixel(120, 1) == qRgb(255, 255, 255) && screen.pixel(120, 2) == qRgb(0, 0, 0))
            return true;
        QTest::qWait(100);
    }
    return false;
}

bool playsPath(VidlarkRun& run, const QByteArray& path) {
    for (const qint64 pid : run.descendants()) {
        const QByteArray words = commandLineOf(pid);
        if (words.startsWith("mplayer\0") && words.split('\0').contains(path))
            return true;
    }
    return false;
}

} // namespace

class PickerRoadTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QString why;
        handset_ = std::make_unique<Handset>();
        if (!handset_->start(&why))
            QSKIP(qPrintable("no X server: " + why));
        ProcessTree::adoptOrphans();
        // Under the build tree, whose listings stay put while the keys are on their way.
        const QDir tree(QStringLiteral(PICKER_ROAD_DIR));
        QVERIFY(QDir(tree).removeRecursively() || !tree.exists());
        QVERIFY(QDir().mkpath(tree.filePath(QString::fromUtf8("视频"))));
        clip_ = tree.filePath(QString::fromUtf8("视频/Ägypten clip.avi"));
        QVERIFY(TestSupport::generateClip(clip_, 320, 240, 30, {"-c:v", "mpeg4"}));
    }

    void chosenClipPlays() {
        auto run = startPicker();
        const QByteArray path = QFile::encodeName(clip_);
        handset_->x().key(keysTo(path));
        QVERIFY2(run->waitForOutput("\nget name"), run->output().constData());
        QTRY_VERIFY_WITH_TIMEOUT(playsPath(*run, path), 20000);
        handset_->exitFromMenu();
        QVERIFY(run->waitForExit(20000));
        QCOMPARE(run->exitCode(), 0);
        const QByteArray out = run->output();
        QVERIFY2(out.startsWith("begin\nApplication new ok\n\nbegin exec\nexec ok\nget name"),
                 out.constData());
        QVERIFY2(out.endsWith("\nunget name"), out.constData());
    }

    void f2LeavesWithoutAChoice() {
        auto run = startPicker();
        handset_->x().key({"Down", "F2"});
        QVERIFY2(run->waitForExit(20000), run->output().constData());
        QCOMPARE(run->exitCode(), 0);
        QCOMPARE(run->output(),
                 QByteArray("begin\nApplication new ok\n\nbegin exec\nexec ok\nunget name"));
    }

private:
    // Starts the program with no words and gives the picker's window the keyboard.
    std::unique_ptr<VidlarkRun> startPicker() {
        auto run = std::make_unique<VidlarkRun>(TestSupport::programDir() + "/vidlark",
                                                QStringList(), handset_->environment());
        const bool up = run->waitForOutput("\nbegin exec");
        const QByteArray window = up ? handset_->x().waitForWindow(PickerTitle) : QByteArray();
        if (window.isEmpty() || !showsSelectionOnFirstRow(handset_->x()))
            qWarning() << "the picker did not come up:" << run->output();
        else
            handset_->x().focus(window);
        return run;
    }

    std::unique_ptr<Handset> handset_;
    QString clip_;
};

QTEST_GUILESS_MAIN(PickerRoadTest)
#include "tst_pickerroad.moc"
