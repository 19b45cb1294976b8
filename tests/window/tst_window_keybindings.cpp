// The key binding file: parsing with its odd corners, the flat list, lookups and their traces.
#include "KeyBindings.h"
#include "StdoutCapture.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

namespace {

// What was written on the stream.
QByteArray written(FILE* stream) {
    std::fflush(stream);
    std::rewind(stream);
    QByteArray text;
    char buffer[512];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, stream)) > 0;)
        text.append(buffer, qsizetype(n));
    return text;
}

} // namespace

class KeyBindingsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void load_data();
    void load();
    void missingFileGivesEmptyList();
    void loadEmptiesTheList();
    void loadTrace();
    void run_data();
    void run();
    void runTraces();

private:
    bool writeKeyline(const QByteArray& text);
    QByteArrayList loaded(const QByteArray& fileText);

    QTemporaryDir dir;
};

void KeyBindingsTest::init() {
    QVERIFY(dir.isValid());
}

bool KeyBindingsTest::writeKeyline(const QByteArray& text) {
    QFile file(dir.filePath("keyline"));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) == text.size();
}

QByteArrayList KeyBindingsTest::loaded(const QByteArray& fileText) {
    if (!writeKeyline(fileText))
        return {"cannot write keyline"};
    QByteArrayList bindings;
    StdoutCapture quiet;
    loadKeyBindings(QFile::encodeName(dir.path()), bindings);
    return bindings;
}

void KeyBindingsTest::load_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArrayList>("bindings");
    const QByteArray a253(253, 'a');
    QTest::newRow("pairs in file order")
        << QByteArray("53=pause\n50=seek +10\n") << QByteArrayList{"53", "pause", "50", "seek +10"};
    QTest::newRow("last line without line feed")
        << QByteArray("53=pause") << QByteArrayList{"53", "pause"};
    QTest::newRow("duplicates are both kept")
        << QByteArray("50=first\n50=second\n") << QByteArrayList{"50", "first", "50", "second"};
    QTest::newRow("code rewritten as plain decimal")
        << QByteArray("+053=a\n  \t007=b\n") << QByteArrayList{"53", "a", "7", "b"};
    QTest::newRow("negative code is stored") << QByteArray("-5=x\n") << QByteArrayList{"-5", "x"};
    QTest::newRow("command keeps its spaces and equals signs")
        << QByteArray("1= a=b \n") << QByteArrayList{"1", " a=b "};
    QTest::newRow("CRLF keeps the carriage return")
        << QByteArray("53=pause\r\n35=quit\r\n") << QByteArrayList{"53", "pause\r", "35", "quit\r"};
    QTest::newRow("line without = keeps the previous command")
        << QByteArray("5=a\n6\n") << QByteArrayList{"5", "a", "6", "a"};
    QTest::newRow("= with nothing after keeps the previous command")
        << QByteArray("5=a\n6=\n") << QByteArrayList{"5", "a", "6", "a"};
    QTest::newRow("space before = keeps the previous command")
        << QByteArray("5=a\n6 =b\n") << QByteArrayList{"5", "a", "6", "a"};
    QTest::newRow("unparsable line repeats the previous pair")
        << QByteArray("5=a\nhello\n\n") << QByteArrayList{"5", "a", "5", "a", "5", "a"};
    QTest::newRow("code beyond int is no number")
        << QByteArray("5=a\n2147483648=b\n-2147483648=c\n")
        << QByteArrayList{"5", "a", "5", "a", "-2147483648", "c"};
    QTest::newRow("malformed lines before the first binding are skipped")
        << QByteArray("# keys\n7\n8=\n5=a\n") << QByteArrayList{"5", "a"};
    QTest::newRow("long line: the rest is read as a line of its own")
        << QByteArray("1=" + a253 + "tail\n") << QByteArrayList{"1", a253, "1", a253};
    QTest::newRow("long line: a rest that parses binds a key")
        << QByteArray("1=" + a253 + "9=nine\n") << QByteArrayList{"1", a253, "9", "nine"};
    QTest::newRow("exactly 255 bytes with its line feed in the next piece")
        << QByteArray("1=" + a253 + "\n2=b\n") << QByteArrayList{"1", a253, "1", a253, "2", "b"};
    QTest::newRow("empty file") << QByteArray() << QByteArrayList{};
}

void KeyBindingsTest::load() {
    QFETCH(QByteArray, file);
    QFETCH(QByteArrayList, bindings);
    QCOMPARE(loaded(file), bindings);
}

void KeyBindingsTest::missingFileGivesEmptyList() {
    QByteArrayList bindings{"stale", "entry"};
    loadKeyBindings(QFile::encodeName(dir.filePath("nowhere")), bindings);
    QVERIFY(bindings.isEmpty());
    QCOMPARE(runKeyBinding(bindings, 53, nullptr), -1);
}

void KeyBindingsTest::loadEmptiesTheList() {
    QVERIFY(writeKeyline("1=x\n"));
    QByteArrayList bindings{"9", "old"};
    StdoutCapture quiet;
    loadKeyBindings(QFile::encodeName(dir.path()), bindings);
    QCOMPARE(bindings, (QByteArrayList{"1", "x"}));
}

// Data in the traces is text, never a format.
void KeyBindingsTest::loadTrace() {
    QVERIFY(writeKeyline("+07=%s%n%d\nbad\n"));
    QByteArrayList bindings;
    StdoutCapture capture;
    loadKeyBindings(QFile::encodeName(dir.path()), bindings);
    QCOMPARE(capture.text(), QByteArray("\n7=%s%n%d\n\n7=%s%n%d\n"));
}

void KeyBindingsTest::run_data() {
    QTest::addColumn<QByteArrayList>("bindings");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("index");
    QTest::addColumn<QByteArray>("sent");
    const QByteArrayList usual{"53", "seek +5", "50", "pause\r"};
    QTest::newRow("bound key") << usual << 53 << 0 << QByteArray("seek +5\n");
    QTest::newRow("command with CR") << usual << 50 << 2 << QByteArray("pause\r\n");
    QTest::newRow("unbound key") << usual << 54 << -1 << QByteArray();
    QTest::newRow("first of two wins")
        << QByteArrayList{"50", "first", "50", "second"} << 50 << 0 << QByteArray("first\n");
    QTest::newRow("command equal to a key code sends the next key text")
        << QByteArrayList{"1", "50", "7", "x"} << 50 << 1 << QByteArray("7\n");
    QTest::newRow("match on the last element sends an empty command")
        << QByteArrayList{"1", "53"} << 53 << 1 << QByteArray("\n");
    QTest::newRow("negative code never matches its magnitude")
        << QByteArrayList{"-5", "x"} << 5 << -1 << QByteArray();
    QTest::newRow("code 0") << QByteArrayList{"0", "zero"} << 0 << 0 << QByteArray("zero\n");
    QTest::newRow("handset code above 0x1000")
        << QByteArrayList{"4169", "pause"} << 0x1049 << 0 << QByteArray("pause\n");
    QTest::newRow("empty list") << QByteArrayList{} << 53 << -1 << QByteArray();
}

void KeyBindingsTest::run() {
    QFETCH(QByteArrayList, bindings);
    QFETCH(int, key);
    QFETCH(int, index);
    QFETCH(QByteArray, sent);
    FILE* stream = std::tmpfile();
    QVERIFY(stream);
    {
        StdoutCapture quiet;
        QCOMPARE(runKeyBinding(bindings, key, stream), index);
    }
    QCOMPARE(written(stream), sent);
    std::fclose(stream);
}

void KeyBindingsTest::runTraces() {
    const QByteArrayList bindings{"53", "%s%n"};
    StdoutCapture capture;
    QCOMPARE(runKeyBinding(bindings, 53, nullptr), 0);
    QCOMPARE(runKeyBinding(bindings, 54, nullptr), -1);
    QCOMPARE(capture.text(), QByteArray("\npress 53\ndo %s%n\n\npress 54"));
}

QTEST_GUILESS_MAIN(KeyBindingsTest)
#include "tst_window_keybindings.moc"
