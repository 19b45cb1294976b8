#include "KeyBindings.h"
#include "PlayerSession.h"
#include "TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

namespace {

void row(const char* name, const QByteArray& file, const QByteArrayList& bindings, int key,
         int index, const QByteArray& sent, bool paused = false) {
    QTest::newRow(name) << file << bindings << key << index << sent << paused;
}

} // namespace

class KeyBindingsTest : public QObject {
    Q_OBJECT
private slots:
    void loadAndPress_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArrayList>("bindings");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("index");
        QTest::addColumn<QByteArray>("sent");
        QTest::addColumn<bool>("paused");
        const QByteArray a253(253, 'a');
        row("missing file", QByteArray(), {}, 53, -1, "");
        row("file order, last line open, handset code", "53=pause\n4169=osd",
            {"53", "pause", "4169", "osd"}, 0x1049, 2, "osd\n");
        row("duplicates: the first wins", "5=a\n5=b\n", {"5", "a", "5", "b"}, 5, 0, "a\n");
        row("codes in decimal, commands as written", "+053=%s%n\r\n  \t007= a=b \n",
            {"53", "%s%n\r", "7", " a=b "}, 53, 0, "%s%n\r\n");
        row("a failed parse keeps what the previous line set", "5=a\n6\n7=\n8 =b\nhello\n\n",
            {"5", "a", "6", "a", "7", "a", "8", "a", "8", "a", "8", "a"}, 8, 6, "a\n");
        row("malformed lines first", "# keys\n7\n8=\n5=a\n", {"5", "a"}, 7, -1, "");
        row("long lines read in pieces", "1=" + a253 + "9=nine\n2=" + a253 + "\n",
            {"1", a253, "9", "nine", "2", a253, "2", a253}, 9, 2, "nine\n");
        row("command equal to a key code", "1=50\n7=x\n", {"1", "50", "7", "x"}, 50, 1, "7\n");
        row("bound to the last element", "1=53\n", {"1", "53"}, 53, 1, "\n");
        row("paused: the prefix that keeps the pause", "49=osd\n", {"49", "osd"}, 49, 0,
            "pausing_keep osd\n", true);
        row("paused: a command that chooses its pausing goes as written",
            "49=pausing_keep_force osd\n", {"49", "pausing_keep_force osd"}, 49, 0,
            "pausing_keep_force osd\n", true);
        row("negative code, codes beyond int",
            "-5=x\n2147483648=y\n18446744073709551621=w\n-2147483648=z\n",
            {"-5", "x", "-5", "x", "-5", "x", "-2147483648", "z"}, 5, -1, "");
    }

    void loadAndPress() {
        QFETCH(QByteArray, file);
        QFETCH(QByteArrayList, bindings);
        QFETCH(int, key);
        QFETCH(int, index);
        QFETCH(QByteArray, sent);
        QFETCH(bool, paused);
        QTemporaryDir dir;
        QVERIFY(file.isNull() || TestSupport::writeFile(dir.filePath("keyline"), file));
        QByteArrayList loaded{"stale", "entry"};
        PlayerSession idle; // never started: what it is sent is dropped
        int found = -2;
        const QByteArray out = TestSupport::stdoutOf([&] {
            loadKeyBindings(QFile::encodeName(dir.path()), loaded);
            found = runKeyBinding(loaded, key, paused, idle);
        });
        QCOMPARE(loaded, bindings);
        QCOMPARE(found, index);
        QByteArray trace;
        for (qsizetype i = 0; i < bindings.size(); i += 2)
            trace += '\n' + bindings[i] + '=' + bindings[i + 1] + '\n';
        trace += "\npress " + QByteArray::number(key) + (index < 0 ? "" : "\ndo " + sent);
        QCOMPARE(out, trace);
    }

    // Whatever the file, start-up reads no more than a keypad could use and never waits.
    void readingIsBounded_data() {
        QTest::addColumn<QByteArray>("kind");
        QTest::addColumn<int>("entries");
        QTest::addColumn<QByteArray>("traceEnd");
        QTest::newRow("50 MB keyline")
            << QByteArray("50 MB") << 2048
            << QByteArray("\n1=a\n\nkeyline: reading stopped after 1024 lines, at byte 4096\n");
        QTest::newRow("exactly the cap") << QByteArray("cap") << 2048 << QByteArray("\n1=a\n");
        QTest::newRow("FIFO") << QByteArray("fifo") << 0 << QByteArray();
    }

    void readingIsBounded() {
        QFETCH(QByteArray, kind);
        QFETCH(QByteArray, traceEnd);
        QTemporaryDir dir;
        const QByteArray path = QFile::encodeName(dir.filePath("keyline"));
        if (kind == "fifo") {
            QCOMPARE(mkfifo(path.constData(), 0600), 0);
        } else {
            const qsizetype lines = kind == "cap" ? 1024 : 50 * 1024 * 1024 / 4;
            QVERIFY(TestSupport::writeFile(dir.filePath("keyline"),
                                           QByteArray("1=a\n").repeated(lines)));
        }
        QByteArrayList loaded;
        const QByteArray out =
            TestSupport::stdoutOf([&] { loadKeyBindings(QFile::encodeName(dir.path()), loaded); });
        QTEST(int(loaded.size()), "entries");
        QVERIFY(out.endsWith(traceEnd) && (!out.contains("stopped") || kind == "50 MB"));
    }
};

QTEST_GUILESS_MAIN(KeyBindingsTest)
#include "tst_player_keybindings.moc"
