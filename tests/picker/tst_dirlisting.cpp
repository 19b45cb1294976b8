#include "DirListing.h"
#include "TestTree.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

namespace {

// The listing as "name" for files and "name/" for directories.
QStringList shown(const DirListing& listing) {
    QStringList names;
    for (int i = 0; i < listing.count(); ++i) {
        const DirEntry& entry = listing.at(i);
        names << QString::fromUtf8(entry.name) + (entry.isDir ? "/" : "");
    }
    return names;
}

QByteArray bytes(const QString& path) {
    return QFile::encodeName(path);
}

} // namespace

class DirListingTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        root_.reset(new QTemporaryDir);
        QVERIFY(root_->isValid());
    }

    void listsDirectoriesFirstInCharacterCodeOrder() {
        QVERIFY(TestTree::make(root_->path(), {"beta/", "Alpha/", "alpha/", "Zeta/", ".hidden/",
                                               "b.avi", "B.avi", "a.avi", "_.avi", ".hidden.avi",
                                               "z.avi", "é.avi", "中文.avi", "10.avi", "9.avi"}));
        const DirListing listing(bytes(root_->path()));
        const QStringList expected{"./",    "../",    "Alpha/", "Zeta/", "alpha/",
                                   "beta/", "10.avi", "9.avi",  "B.avi", "_.avi",
                                   "a.avi", "b.avi",  "z.avi",  "é.avi", "中文.avi"};
        QCOMPARE(shown(listing), expected);
    }

    void linksCountAsWhatTheyPointTo() {
        QVERIFY(TestTree::make(root_->path(), {"real/", "clip.avi"}));
        const QDir root(root_->path());
        QVERIFY(QFile::link(root.filePath("real"), root.filePath("dirlink")));
        QVERIFY(QFile::link(root.filePath("clip.avi"), root.filePath("filelink")));
        QVERIFY(QFile::link(root.filePath("nowhere"), root.filePath("dangling")));
        QCOMPARE(mkfifo(bytes(root.filePath("pipe")).constData(), 0600), 0);
        const DirListing listing(bytes(root_->path()));
        QCOMPARE(shown(listing),
                 QStringList({"./", "../", "dirlink/", "real/", "clip.avi", "filelink"}));
    }

    void changesDirectory_data() {
        QTest::addColumn<QByteArrayList>("steps");
        QTest::addColumn<QString>("expected");
        QTest::newRow("dot stays") << QByteArrayList{"."} << "";
        QTest::newRow("into a directory") << QByteArrayList{"sub"} << "/sub";
        QTest::newRow("dot-dot goes up") << QByteArrayList{"sub", "deeper", ".."} << "/sub";
        QTest::newRow("through a link and back")
            << QByteArrayList{"link", "deeper", "..", ".."} << "";
        QTest::newRow("up") << QByteArrayList{"sub", "deeper", "up"} << "/sub";
    }
    void changesDirectory() {
        QFETCH(QByteArrayList, steps);
        QFETCH(QString, expected);
        QVERIFY(TestTree::make(root_->path(), {"sub/deeper/"}));
        QVERIFY(QFile::link(root_->filePath("sub"), root_->filePath("link")));
        DirListing listing(bytes(root_->path()));
        for (const QByteArray& step : steps) {
            if (step == "up")
                listing.cdUp();
            else
                listing.cd(step);
        }
        QCOMPARE(listing.path(), bytes(root_->path() + expected));
        QVERIFY(listing.count() > 0);
    }

    void rootIsItsOwnParent() {
        DirListing listing("/");
        listing.cdUp();
        QCOMPARE(listing.path(), QByteArray("/"));
        listing.cd("..");
        QCOMPARE(listing.path(), QByteArray("/"));
        QCOMPARE(listing.filePath("tmp"), QByteArray("/tmp"));
        QVERIFY(shown(listing).contains("tmp/"));
    }

private:
    std::unique_ptr<QTemporaryDir> root_;
};

QTEST_GUILESS_MAIN(DirListingTest)
#include "tst_dirlisting.moc"
