#include "MyFileDlg.h"
#include "SelectionRest.h"

#include <QPainter>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// A path ending in "/" becomes a directory, any other an empty file.
bool make(const QDir& root, const QStringList& paths) {
    for (const QString& path : paths)
        if (!QDir().mkpath(QFileInfo(root, path).path()) ||
            (!path.endsWith('/') && !QFile(root.filePath(path)).open(QIODevice::WriteOnly)))
            return false;
    return true;
}

QImage screenOf(MyFileDlg& picker) {
    return picker.grab(QRect(0, 0, 240, 320)).toImage().convertToFormat(QImage::Format_RGB32);
}

// Keys by letter (Up, Down, Left, Right, Enter, 2 for F2), each painted as on the handset.
void type(MyFileDlg& picker, const QString& keys) {
    const Qt::Key byLetter[] = {Qt::Key_Up,    Qt::Key_Down,   Qt::Key_Left,
                                Qt::Key_Right, Qt::Key_Return, Qt::Key_F2};
    for (const QChar key : keys) {
        QTest::keyClick(&picker, byLetter[u"UDLRE2"_s.indexOf(key)]);
        screenOf(picker);
    }
}

// The screen as painting every row's text onto one page at least a screen high would give it,
// with the selection's frames set pixel by pixel: the outer one on the edges of its 240x28 row,
// the inner one on the edges of the 236x24 rectangle two pixels in.
QImage referenceScreen(const DirListing& listing, int selected, int scrollOffset) {
    QPixmap page(240, std::max(28 * listing.count(), 320));
    page.fill(Qt::white);
    QPainter painter(&page);
    for (int k = 0; k < listing.count(); ++k)
        painter.drawText(QRect(4, 28 * k + 4, 240, 20), Qt::AlignLeft,
                         (listing.at(k).isDir ? "/" : "") + QString::fromUtf8(listing.at(k).name));
    painter.end();
    QImage screen =
        page.copy(0, scrollOffset, 240, 320).toImage().convertToFormat(QImage::Format_RGB32);
    const int top = (selected - 1) * 28 - scrollOffset;
    for (const QRect frame : {QRect(0, top, 240, 28), QRect(2, top + 2, 236, 24)})
        for (int y = frame.top(); y <= frame.bottom(); ++y)
            for (int x = frame.left(); x <= frame.right();
                 x += y == frame.top() || y == frame.bottom() ? 1 : frame.width() - 1)
                screen.setPixel(x, y, qRgb(0, 0, 0));
    return screen;
}

void row(const char* name, const char* start, const QString& keys, const char* at, int selected = 1,
         int scroll = 0) {
    QTest::newRow(name) << start << keys << at << selected << scroll;
}

} // namespace

class PickerTest : public QObject {
    Q_OBJECT

private slots:
    void listsDirectoriesFirstInCharacterCodeOrder() {
        QTemporaryDir root;
        const QDir dir(root.path());
        QVERIFY(make(dir, {"beta/", "Alpha/", "alpha/", ".hidden/", "b.avi", "B.avi", "_.avi",
                           ".hidden.avi", "é.avi", "中文.avi", "10.avi", "9.avi"}));
        QVERIFY(QFile::link(dir.filePath("beta"), dir.filePath("dirlink")));
        QVERIFY(QFile::link(dir.filePath("nowhere"), dir.filePath("dangling")));
        const DirListing listing(QFile::encodeName(dir.path()));
        QStringList shown;
        for (int i = 0; i < listing.count(); ++i)
            shown << QString::fromUtf8(listing.at(i).name) + (listing.at(i).isDir ? "/" : "");
        QCOMPARE(shown, QStringList({"./", "../", "Alpha/", "alpha/", "beta/", "dirlink/", "10.avi",
                                     "9.avi", "B.avi", "_.avi", "b.avi", "é.avi", "中文.avi"}));
    }

    // From a start, after the keys: where the picker stands, relative to the root, and its
    // screen, which must equal the whole-page drawing, glyphs reaching into neighbour rows too.
    // "top" holds inner/x.avi, x.avi and 视频 Ä.avi; "many" as many entries as the row's name
    // starts with.
    void walks_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("at");
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("scroll");
        row("untidy start", "top/./../top//", "", "top");
        row("missing start: root", "missing/", "L", "/");
        row("file as start: root", "top/x.avi", "", "/");
        row("dot stays", "top", "E", "top");
        row("dot-dot goes up", "top", "DE", "");
        row("Right enters", "top", "DDR", "top/inner");
        row("F2 leaves", "top", "2", "top");
        row("12: row 11, no scroll", "many", QString(10, 'D'), "many", 11);
        row("12: Down wraps to row 1", "many", QString(12, 'D'), "many", 1);
        row("12: Up wraps to row 12", "many", "U", "many", 12, 16);
        row("42: Up keeps the view", "many", QString(29, 'D') + "UUUUU", "many", 25, 520);
        row("42: to the top", "many", QString(29, 'D') + QString(12, 'U'), "many", 18, 476);
    }
    void walks() {
        QFETCH(QString, start);
        QFETCH(QString, keys);
        QFETCH(QString, at);
        const int entries = std::atoi(QTest::currentDataTag());
        QTemporaryDir root;
        QStringList names{"top/inner/x.avi", "top/x.avi", "top/视频 Ä.avi"};
        for (int i = 0; i < entries - 2; ++i)
            names << (i % 4 ? u"many/clip %1 gjpqy ÄÖÜ 视频 running off the screen.avi"_s
                            : u"many/目录 %1 Ägypten/"_s)
                         .arg(i);
        QVERIFY(make(root.path(), names));
        MyFileDlg picker(nullptr, root.filePath(start));
        picker.show();
        type(picker, keys);
        QCOMPARE(picker.listing().path(), QFile::encodeName(at == "/" ? at : root.filePath(at)));
        QFETCH(int, selected);
        QFETCH(int, scroll);
        QVERIFY(screenOf(picker) == referenceScreen(picker.listing(), selected, scroll));
        QCOMPARE(picker.isVisible(), !keys.endsWith('2'));
        QCOMPARE(picker.chosenPath(), u"USER_CANCEL"_s);
    }

    // A directory gone from under the picker lists empty, and the keys still lead out of it.
    void emptyListThatCanBeLeft() {
        QTemporaryDir root;
        QVERIFY(make(root.path(), {"dir/child/x.avi"}));
        MyFileDlg picker(nullptr, root.filePath("dir"));
        type(picker, "DD");
        QVERIFY(QDir(root.filePath("dir")).removeRecursively());
        type(picker, "E");
        QCOMPARE(picker.listing().count(), 0);
        type(picker, "DUUE");
        QCOMPARE(picker.listing().path(), QFile::encodeName(root.filePath("dir/child")));
        QVERIFY(screenOf(picker) == referenceScreen(picker.listing(), 1, 0));
        type(picker, "L");
        QCOMPARE(picker.listing().path(), QFile::encodeName(root.filePath("dir")));
    }

    // Only a file the selection stays on is told, once, as the path a choice would give: not the
    // directory it starts on, nor the names it passes over.
    void restingOnAFile() {
        QTemporaryDir root;
        QVERIFY(make(root.path(), {"sub/", "a.avi", "b.avi", "c.avi"}));
        MyFileDlg picker(nullptr, root.path());
        QByteArrayList told;
        SelectionRest rest(&picker, [&](const QByteArray& path) { told << path; });
        QTest::qWait(SelectionRest::kRestMs * 2);
        type(picker, "DDDDD"); // from "./" over "../", "sub/", a.avi and b.avi
        QTest::qWait(SelectionRest::kRestMs * 2);
        type(picker, "U");
        QTRY_COMPARE(told, QByteArrayList({QFile::encodeName(root.filePath("c.avi")),
                                           QFile::encodeName(root.filePath("b.avi"))}));
        type(picker, "E");
        QCOMPARE(picker.chosenPathBytes(), told.last());
    }
};

QTEST_MAIN(PickerTest)
#include "tst_picker.moc"
