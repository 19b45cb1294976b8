#include "MyFileDlg.h"
#include "TestTree.h"

#include <QDir>
#include <QFile>
#include <QMetaMethod>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

namespace {

constexpr int RowHeight = 28;

QByteArray bytes(const QString& path) {
    return QFile::encodeName(path);
}

// The picker's screen drawn the whole-page way: every row on one white page at least a screen
// high, then the screen's 320 rows copied from the scroll offset down.
QImage referenceScreen(const DirListing& listing, int selected, int scrollOffset) {
    const int rows = listing.count();
    QPixmap page(240, std::max(RowHeight * rows, 320));
    page.fill(Qt::white);
    QPainter painter(&page);
    for (int k = 0; k < rows; ++k) {
        const DirEntry& entry = listing.at(k);
        const QString name = QString::fromUtf8(entry.name);
        painter.drawText(QRect(4, RowHeight * k + 4, 240, 20), Qt::AlignLeft,
                         entry.isDir ? '/' + name : name);
    }
    const int y = (selected - 1) * RowHeight;
    painter.drawRect(0, y, 240, 28);
    painter.drawRect(2, y + 2, 236, 24);
    painter.end();
    return page.copy(0, scrollOffset, 240, 320).toImage().convertToFormat(QImage::Format_RGB32);
}

QImage screenOf(MyFileDlg& picker) {
    return picker.grab(QRect(0, 0, 240, 320)).toImage().convertToFormat(QImage::Format_RGB32);
}

// The screen rows in column x that are not white.
QList<int> markedRows(const QImage& screen, int x) {
    QList<int> rows;
    for (int y = 0; y < screen.height(); ++y)
        if (screen.pixel(x, y) != qRgb(255, 255, 255))
            rows << y;
    return rows;
}

QString currentName(const MyFileDlg& picker) {
    return picker.currentEntry() ? QString::fromUtf8(picker.currentEntry()->name) : QString();
}

void press(MyFileDlg& picker, Qt::Key key, int times = 1) {
    for (int i = 0; i < times; ++i)
        QTest::keyClick(&picker, key);
}

QStringList numberedFiles(int count) {
    QStringList names;
    for (int i = 1; i <= count; ++i)
        names << QStringLiteral("f%1").arg(i, 2, 10, QLatin1Char('0'));
    return names;
}

} // namespace

class MyFileDlgTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        root_.reset(new QTemporaryDir);
        QVERIFY(root_->isValid());
    }

    void presentsItselfAsTheToolkitExpects() {
        MyFileDlg picker(nullptr, root_->path());
        const QMetaObject* meta = picker.metaObject();
        QCOMPARE(meta->className(), "MyFileDlg");
        QCOMPARE(meta->superClass()->className(), "ZKbMainWidget");
        QByteArrayList slotNames;
        for (int i = meta->methodOffset(); i < meta->methodCount(); ++i)
            if (meta->method(i).methodType() == QMetaMethod::Slot)
                slotNames << meta->method(i).methodSignature();
        QCOMPARE(slotNames, QByteArrayList({"Select()", "cdUp()", "myCancel()"}));
        QCOMPARE(picker.windowTitle(), QString::fromUtf8("打开文件"));
        QVERIFY(picker.isFullScreenMode());
        QCOMPARE(picker.chosenPath(), QStringLiteral("USER_CANCEL"));
    }

    void startsOnItsStartPath_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("expected");
        QTest::newRow("as given") << "sub"
                                  << "sub";
        QTest::newRow("trailing slash") << "sub/"
                                        << "sub";
        QTest::newRow("untidy") << "sub/./../sub//"
                                << "sub";
        QTest::newRow("missing: the root") << "missing/"
                                           << "/";
        QTest::newRow("a file: the root") << "sub/clip.avi"
                                          << "/";
    }
    void startsOnItsStartPath() {
        QFETCH(QString, start);
        QFETCH(QString, expected);
        QVERIFY(TestTree::make(root_->path(), {"sub/clip.avi"}));
        MyFileDlg picker(nullptr, root_->filePath(start));
        const QString path = expected == "/" ? expected : root_->filePath(expected);
        QCOMPARE(picker.listing().path(), bytes(path));
        QCOMPARE(picker.selectedRow(), 1);
        QCOMPARE(currentName(picker), QStringLiteral("."));
    }

    void movesWrapAround() {
        QVERIFY(TestTree::make(root_->path(), {"a", "b", "c"}));
        MyFileDlg picker(nullptr, root_->path());
        press(picker, Qt::Key_Up);
        QCOMPARE(picker.selectedRow(), 5);
        QCOMPARE(currentName(picker), QStringLiteral("c"));
        press(picker, Qt::Key_Down);
        QCOMPARE(picker.selectedRow(), 1);
        QCOMPARE(currentName(picker), QStringLiteral("."));
        press(picker, Qt::Key_Down, 2);
        QCOMPARE(currentName(picker), QStringLiteral("a"));
    }

    // The selection frame crosses the middle column, free of text, in four rows.
    void scrollsOnlyWhenTheSelectionLeavesTheScreen_data() {
        QTest::addColumn<int>("entries");
        QTest::addColumn<int>("downs");
        QTest::addColumn<int>("scroll");
        QTest::addColumn<QList<int>>("frameRows");
        QTest::newRow("11 entries, last row") << 11 << 10 << 0 << QList<int>{280, 282, 306, 308};
        QTest::newRow("12 entries, row 11") << 12 << 10 << 0 << QList<int>{280, 282, 306, 308};
        QTest::newRow("12 entries, row 12") << 12 << 11 << 16 << QList<int>{292, 294, 318};
        QTest::newRow("12 entries, wrapped to row 1") << 12 << 12 << 0 << QList<int>{0, 2, 26, 28};
        QTest::newRow("40 entries, row 25") << 40 << 24 << 380 << QList<int>{292, 294, 318};
    }
    void scrollsOnlyWhenTheSelectionLeavesTheScreen() {
        QFETCH(int, entries);
        QFETCH(int, downs);
        QFETCH(int, scroll);
        QFETCH(QList<int>, frameRows);
        QVERIFY(TestTree::make(root_->path(), numberedFiles(entries - 2)));
        MyFileDlg picker(nullptr, root_->path());
        QCOMPARE(picker.listing().count(), entries);
        for (int i = 0; i < downs; ++i) {
            press(picker, Qt::Key_Down);
            screenOf(picker);
        }
        const QImage screen = screenOf(picker);
        QCOMPARE(picker.scrollPosition(), scroll);
        QCOMPARE(markedRows(screen, 120), frameRows);
    }

    // Up from the bottom leaves the view where it was until the selection reaches its top.
    void paintsWhatTheWholePageWouldShow() {
        QStringList names{"Directory with a long name that runs off the screen/", "Ägypten/",
                          "jpgqy/", "中文目录/"};
        for (int i = 0; i < 36; ++i)
            names << QStringLiteral("clip %1 gjpqy ÄÖÜ 视频.avi").arg(i);
        QVERIFY(TestTree::make(root_->path(), names));
        MyFileDlg picker(nullptr, root_->path());
        QCOMPARE(picker.listing().count(), 42);
        const int moves[] = {0, 11, 1, 17, 12, -1, -13, -3, -26};
        int selected = 1;
        int scroll = 0;
        for (const int move : moves) {
            press(picker, move > 0 ? Qt::Key_Down : Qt::Key_Up, std::abs(move));
            selected = (selected - 1 + move + 42) % 42 + 1;
            const int y = (selected - 1) * RowHeight;
            scroll = std::max(std::min(scroll, y), y + RowHeight - 320);
            const QImage screen = screenOf(picker);
            QCOMPARE(picker.selectedRow(), selected);
            QCOMPARE(picker.scrollPosition(), scroll);
            QVERIFY2(screen == referenceScreen(picker.listing(), selected, scroll),
                     qPrintable(QStringLiteral("row %1").arg(selected)));
        }
    }

    void entersAndLeavesDirectories_data() {
        QTest::addColumn<int>("downs");
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<QString>("expected");
        QTest::newRow("dot stays") << 0 << Qt::Key_Return << "top";
        QTest::newRow("dot-dot goes up") << 1 << Qt::Key_Return << "";
        QTest::newRow("Right enters a directory") << 2 << Qt::Key_Right << "top/inner";
        QTest::newRow("Return enters a directory") << 2 << Qt::Key_Return << "top/inner";
        QTest::newRow("Left goes up") << 3 << Qt::Key_Left << "";
    }
    void entersAndLeavesDirectories() {
        QFETCH(int, downs);
        QFETCH(Qt::Key, key);
        QFETCH(QString, expected);
        QVERIFY(TestTree::make(root_->path(), {"top/inner/", "top/x.avi", "top/y.avi"}));
        MyFileDlg picker(nullptr, root_->filePath("top"));
        press(picker, Qt::Key_Down, downs);
        press(picker, key);
        QCOMPARE(picker.listing().path(), bytes(root_->filePath(expected)));
        QCOMPARE(picker.selectedRow(), 1);
        QCOMPARE(currentName(picker), QStringLiteral("."));
        QVERIFY(picker.listing().count() > 1);
        QCOMPARE(picker.chosenPath(), QStringLiteral("USER_CANCEL"));
    }

    void scrollReturnsToTheTopAfterChangingDirectory() {
        QStringList names = numberedFiles(30);
        for (QString& name : names)
            name.prepend("big/");
        QVERIFY(TestTree::make(root_->path(), names));
        MyFileDlg picker(nullptr, root_->filePath("big"));
        press(picker, Qt::Key_Up);
        screenOf(picker);
        QVERIFY(picker.scrollPosition() > 0);
        press(picker, Qt::Key_Left);
        QCOMPARE(markedRows(screenOf(picker), 120), QList<int>({0, 2, 26, 28}));
        QCOMPARE(picker.scrollPosition(), 0);
    }

    void choosingAFileGivesItsAbsolutePath_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << "clip.avi";
        QTest::newRow("spaces and quotes") << "my \"best\" clip's.avi";
        QTest::newRow("non-ASCII") << "视频 Ägypten.mp4";
    }
    void choosingAFileGivesItsAbsolutePath() {
        QFETCH(QString, name);
        QVERIFY(TestTree::make(root_->path(), {"dir/" + name}));
        MyFileDlg picker(nullptr, root_->filePath("dir"));
        picker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        press(picker, Qt::Key_Down, 2);
        press(picker, Qt::Key_Return);
        QVERIFY(!picker.isVisible());
        const QString chosen = picker.chosenPath();
        QCOMPARE(chosen, root_->filePath("dir/" + name));
        QVERIFY(QFileInfo(chosen).isAbsolute());
        QCOMPARE(chosen.toUtf8(), bytes(root_->path()) + "/dir/" + name.toUtf8());
        QVERIFY(QFile::exists(QFile::decodeName(chosen.toUtf8())));
    }

    void unreadableDirectoryIsAnEmptyListThatCanBeLeft() {
        QVERIFY(TestTree::make(root_->path(), {"locked/inside.avi"}));
        MyFileDlg picker(nullptr, root_->path());
        press(picker, Qt::Key_Down, 2);
        QCOMPARE(currentName(picker), QStringLiteral("locked"));
        {
            const UnreadableDirectory locked(root_->filePath("locked"));
            press(picker, Qt::Key_Return);
        }
        expectEmptyListThatCanBeLeft(picker, root_->filePath("locked"));
    }

    void vanishedDirectoryIsAnEmptyListThatCanBeLeft() {
        QVERIFY(TestTree::make(root_->path(), {"gone/child/"}));
        MyFileDlg picker(nullptr, root_->filePath("gone"));
        QVERIFY(QDir(root_->filePath("gone")).removeRecursively());
        press(picker, Qt::Key_Down, 2);
        press(picker, Qt::Key_Return);
        press(picker, Qt::Key_Left);
        expectEmptyListThatCanBeLeft(picker, root_->filePath("gone"));
    }

private:
    void expectEmptyListThatCanBeLeft(MyFileDlg& picker, const QString& path) {
        QCOMPARE(picker.listing().path(), bytes(path));
        QCOMPARE(picker.listing().count(), 0);
        QVERIFY(!picker.currentEntry());
        press(picker, Qt::Key_Down);
        press(picker, Qt::Key_Up, 2);
        QCOMPARE(picker.selectedRow(), 1);
        press(picker, Qt::Key_Return);
        QCOMPARE(picker.listing().path(), bytes(path));
        QCOMPARE(picker.chosenPath(), QStringLiteral("USER_CANCEL"));
        QCOMPARE(markedRows(screenOf(picker), 120), QList<int>({0, 2, 26, 28}));
        press(picker, Qt::Key_Left);
        QCOMPARE(picker.listing().path(), bytes(root_->path()));
        QVERIFY(picker.currentEntry());
    }

    std::unique_ptr<QTemporaryDir> root_;
};

QTEST_MAIN(MyFileDlgTest)
#include "tst_myfiledlg.moc"
