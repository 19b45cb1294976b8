// Bad clips, hostile names and broken key binding files: the program starts, plays or shows the
// information screen, exits from its menu, and never runs anything taken from a name.
#include "Handset.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

class BadInputTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void startsAndExits_data();
    void startsAndExits();

private:
    QByteArray clipNamed(const QByteArray& name);
    QString programDirWith(const QString& name, const QByteArray& keyline);

    Handset handset;
    QTemporaryDir work;
    QByteArray clip;
};

namespace {
const char canary[] = "vidlark-canary";
}

void BadInputTest::initTestCase() {
    QString why;
    if (!handset.start(&why))
        QSKIP(qPrintable("no X server: " + why));
    clip = QFile::encodeName(work.filePath("clip.avi"));
    QVERIFY(TestSupport::generateClip(work.filePath("clip.avi"), 320, 240, 20, {"-c:v", "mpeg4"}));
    QFile::remove(canary);
}

// A copy of the good clip under the given name (any bytes but '/').
QByteArray BadInputTest::clipNamed(const QByteArray& name) {
    const QByteArray path = QFile::encodeName(work.path()) + '/' + name;
    QFile source(QFile::decodeName(clip));
    source.open(QIODevice::ReadOnly);
    const QByteArray bytes = source.readAll();
    // fopen takes the name as bytes: some names here are not UTF-8.
    FILE* out = std::fopen(path.constData(), "wb");
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), out);
    std::fclose(out);
    return path;
}

// A program directory of its own: vidlark, the stand-ins, the menu file and a key binding file.
QString BadInputTest::programDirWith(const QString& name, const QByteArray& keyline) {
    const QString dir = work.filePath(name);
    QDir().mkpath(dir + "/.mplayer");
    for (const char* file : {"vidlark", "mplayer", "mplayerrm", ".mplayer/menu.conf.in"}) {
        QFile::copy(TestSupport::programDir() + '/' + file, dir + '/' + file);
    }
    if (!keyline.isNull()) {
        QFile file(dir + "/keyline");
        file.open(QIODevice::WriteOnly);
        file.write(keyline);
    }
    return dir;
}

void BadInputTest::startsAndExits_data() {
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<QString>("programDir");

    const QByteArray dir = QFile::encodeName(work.path());
    QTest::newRow("missing file") << dir + "/missing.avi" << QString();
    QTest::newRow("directory") << dir << QString();
    QFile(work.filePath("empty.avi")).open(QIODevice::WriteOnly);
    QTest::newRow("zero-byte file") << dir + "/empty.avi" << QString();
    QFile text(work.filePath("text.avi"));
    text.open(QIODevice::WriteOnly);
    text.write("This is not a clip.\n");
    text.close();
    QTest::newRow("text file named .avi") << dir + "/text.avi" << QString();
    QFile whole(QString::fromLatin1(clip)), part(work.filePath("truncated.avi"));
    whole.open(QIODevice::ReadOnly);
    part.open(QIODevice::WriteOnly);
    part.write(whole.read(whole.size() / 3));
    part.close();
    QTest::newRow("truncated clip") << dir + "/truncated.avi" << QString();

    const QByteArrayList names{"with space.avi",
                               "double\"quote.avi",
                               "single'quote.avi",
                               "$(touch vidlark-canary).avi",
                               "`touch vidlark-canary`.avi",
                               ";touch vidlark-canary;.avi",
                               "new\nline.avi",
                               "not\xff\xfeutf8.avi"};
    for (const QByteArray& name : names)
        QTest::newRow(("name " + name).constData()) << clipNamed(name) << QString();

    QByteArray deep = dir;
    while (deep.size() < 3700)
        deep += '/' + QByteArray(250, 'd');
    QDir().mkpath(QFile::decodeName(deep));
    const QByteArray longPath = deep + '/' + QByteArray(3990 - deep.size(), 'f') + ".avi";
    QFile::copy(QString::fromLatin1(clip), QFile::decodeName(longPath));
    QTest::newRow("4000-byte path") << longPath << QString();

    QTest::newRow("program directory with a space")
        << clip << programDirWith("program dir", QByteArray());
    QByteArray huge;
    for (int code = 100000; huge.size() < 10 * 1024 * 1024; ++code)
        huge += QByteArray::number(code) + "=seek +1 " + QByteArray(40, 'x') + '\n';
    QTest::newRow("10 MB keyline") << clip << programDirWith("huge", huge);
    QByteArray noise(64 * 1024, Qt::Uninitialized);
    QRandomGenerator random(42);
    for (char& byte : noise)
        byte = char(random.bounded(256));
    QTest::newRow("binary keyline") << clip << programDirWith("noise", noise);
    QTest::newRow("CRLF keyline") << clip << programDirWith("crlf", "50=seek +10\r\n56=osd\r\n");
}

void BadInputTest::startsAndExits() {
    QFETCH(QByteArray, path);
    QFETCH(QString, programDir);
    auto run = handset.playBytes(path, programDir);
    QVERIFY2(run->output().contains("MainWidget setMainWidget ok\n"), "did not start playing");

    QVERIFY(!handset.focusProgram().isEmpty());
    handset.x().key({"2", "5"}); // a jump, then the information screen
    QTest::qWait(300);
    handset.exitFromMenu();
    QVERIFY2(run->waitForExit(8000), "did not exit from the menu");
    QVERIFY(!run->crashed());
    QCOMPARE(run->exitCode(), 0);
    QVERIFY(run->output().contains("exit\n"));
    QVERIFY2(!QFile::exists(canary), "a command was run from a name");
}

QTEST_GUILESS_MAIN(BadInputTest)
#include "tst_badinput.moc"
