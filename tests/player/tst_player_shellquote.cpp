#include "ShellQuote.h"

#include <QtTest>
#include <cstdio>

namespace {

// What /bin/sh makes of the command's arguments, as printf prints them.
QByteArray shellPrints(const QByteArray& arguments) {
    FILE* output = popen("printf %s " + arguments, "r");
    if (!output)
        return "(popen failed)";
    QByteArray printed;
    char buffer[256];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, output)) > 0)
        printed.append(buffer, qsizetype(got));
    pclose(output);
    return printed;
}

} // namespace

class ShellQuoteTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void escapesForDoubleQuotes_data();
    void escapesForDoubleQuotes();
    void makesShellWord_data();
    void makesShellWord();
    void shellGetsTextBack_data();
    void shellGetsTextBack();

private:
    QTemporaryDir dir_;
};

// Anything the shell wrongly ran from a text would create its files here.
void ShellQuoteTest::initTestCase() {
    QVERIFY(dir_.isValid());
    QVERIFY(QDir::setCurrent(dir_.path()));
}

void ShellQuoteTest::escapesForDoubleQuotes_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("escaped");
    QTest::newRow("plain") << QByteArray("/mmc/mmca1/clip.avi")
                           << QByteArray("/mmc/mmca1/clip.avi");
    QTest::newRow("empty") << QByteArray("") << QByteArray("");
    QTest::newRow("double quote") << QByteArray("a\"b") << QByteArray("a\\\"b");
    QTest::newRow("backquote") << QByteArray("`id`") << QByteArray("\\`id\\`");
    QTest::newRow("dollar") << QByteArray("$HOME$(id)") << QByteArray("\\$HOME\\$(id)");
    QTest::newRow("backslash") << QByteArray("a\\b\\") << QByteArray("a\\\\b\\\\");
    QTest::newRow("literal inside double quotes")
        << QByteArray("it's a *?[~#;&|<>() \t\n") << QByteArray("it's a *?[~#;&|<>() \t\n");
    QTest::newRow("high bytes") << QByteArray("caf\xe9 \xe8\xa7\x86")
                                << QByteArray("caf\xe9 \xe8\xa7\x86");
}

void ShellQuoteTest::escapesForDoubleQuotes() {
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, escaped);
    QCOMPARE(escapeForDoubleQuotes(text), escaped);
}

void ShellQuoteTest::makesShellWord_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("word");
    QTest::newRow("plain path") << QByteArray("/work/build/mplayerrm")
                                << QByteArray("/work/build/mplayerrm");
    QTest::newRow("empty stays empty") << QByteArray("") << QByteArray("");
    QTest::newRow("harmless punctuation")
        << QByteArray("/a-b_c.d/e+f,g=h:i@j%k") << QByteArray("/a-b_c.d/e+f,g=h:i@j%k");
    QTest::newRow("high bytes") << QByteArray("/caf\xe9") << QByteArray("/caf\xe9");
    QTest::newRow("space") << QByteArray("/my app/mplayer") << QByteArray("\"/my app/mplayer\"");
    QTest::newRow("dollar escaped") << QByteArray("/x$y") << QByteArray("\"/x\\$y\"");
    QTest::newRow("backquote escaped") << QByteArray("/x`y") << QByteArray("\"/x\\`y\"");
    QTest::newRow("double quote escaped") << QByteArray("/x\"y") << QByteArray("\"/x\\\"y\"");
    QTest::newRow("backslash escaped") << QByteArray("/x\\y") << QByteArray("\"/x\\\\y\"");
    for (const char* special :
         {"'", "\t", "\n", ";", "&", "|", "<", ">", "(", ")", "*", "?", "[", "#", "~"}) {
        const QByteArray text = QByteArray("/x") + special + "y";
        QTest::addRow("quoted for %s", QByteArray(special).toPercentEncoding().constData())
            << text << '"' + text + '"';
    }
}

void ShellQuoteTest::makesShellWord() {
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, word);
    QCOMPARE(shellWord(text), word);
}

void ShellQuoteTest::shellGetsTextBack_data() {
    QTest::addColumn<QByteArray>("text");
    for (const char* text :
         {"plain", "a b  c", "it's", "say \"hi\"", "$HOME", "${HOME}x", "$(touch injected)",
          "`touch injected`", "back\\slash\\", "\\$\\`\\\"", "*", "~root", "#not a comment",
          "a;b&c|d<e>f(g)", "line\nbreak", "tab\there", "caf\xe9 \xe8\xa7\x86"})
        QTest::newRow(QByteArray(text).toPercentEncoding(" $`\"'").constData()) << QByteArray(text);
}

// What matters is what the shell makes of it: exactly the text, one word, nothing run.
void ShellQuoteTest::shellGetsTextBack() {
    QFETCH(QByteArray, text);
    QCOMPARE(shellPrints(shellWord(text)), text);
    QCOMPARE(shellPrints('"' + escapeForDoubleQuotes(text) + '"'), text);
    QCOMPARE(shellPrints("\"<\"" + shellWord(text) + "\">\""), "<" + text + ">");
    QVERIFY(QDir().entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}

QTEST_GUILESS_MAIN(ShellQuoteTest)
#include "tst_player_shellquote.moc"
