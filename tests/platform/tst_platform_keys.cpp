// Desktop keys reach a handset window's key handlers as handset key codes.
#include "HandsetKeys.h"
#include "RecordingWindow.h"

#include <QSet>
#include <QTest>

class KeysTest : public QObject {
    Q_OBJECT
private slots:
    void tableCodes_data();
    void tableCodes();
    void deliveredAsHandsetCodes_data() { tableCodes_data(); }
    void deliveredAsHandsetCodes();
    void softKeysArriveAsKeysWithoutABar_data();
    void softKeysArriveAsKeysWithoutABar();
    void otherKeysKeepClearOfTheTable();
};

namespace {

const QSet<int> tableCodeSet{35,     42,     48,     49,     50,     51,     52,     53,
                             54,     55,     56,     57,     0x1004, 0x1012, 0x1013, 0x1014,
                             0x1015, 0x1016, 0x1017, 0x1030, 0x1031, 0x1049, 0x104B, 0x104C};

} // namespace

void KeysTest::tableCodes_data() {
    QTest::addColumn<int>("qtKey");
    QTest::addColumn<int>("code");
    QTest::newRow("0") << int(Qt::Key_0) << 48;
    QTest::newRow("5") << int(Qt::Key_5) << 53;
    QTest::newRow("9") << int(Qt::Key_9) << 57;
    QTest::newRow("*") << int(Qt::Key_Asterisk) << 42;
    QTest::newRow("#") << int(Qt::Key_NumberSign) << 35;
    QTest::newRow("Left") << int(Qt::Key_Left) << 0x1012;
    QTest::newRow("Up") << int(Qt::Key_Up) << 0x1013;
    QTest::newRow("Right") << int(Qt::Key_Right) << 0x1014;
    QTest::newRow("Down") << int(Qt::Key_Down) << 0x1015;
    QTest::newRow("Return") << int(Qt::Key_Return) << 0x1004;
    QTest::newRow("Enter") << int(Qt::Key_Enter) << 0x1004;
    QTest::newRow("Page Up") << int(Qt::Key_PageUp) << 0x1016;
    QTest::newRow("Page Down") << int(Qt::Key_PageDown) << 0x1017;
    QTest::newRow("Space") << int(Qt::Key_Space) << 0x1049;
    QTest::newRow("+") << int(Qt::Key_Plus) << 0x104B;
    QTest::newRow("-") << int(Qt::Key_Minus) << 0x104C;
}

void KeysTest::tableCodes() {
    QFETCH(int, qtKey);
    QFETCH(int, code);
    QCOMPARE(handsetKeyCode(qtKey, QString()), code);
}

void KeysTest::deliveredAsHandsetCodes() {
    QFETCH(int, qtKey);
    QFETCH(int, code);
    RecordingWindow window;
    QTest::keyClick(&window, Qt::Key(qtKey));
    QCOMPARE(window.pressed, QList<int>{code});
    QCOMPARE(window.released, QList<int>{code});
}

void KeysTest::softKeysArriveAsKeysWithoutABar_data() {
    QTest::addColumn<int>("qtKey");
    QTest::addColumn<int>("code");
    QTest::newRow("F1") << int(Qt::Key_F1) << 0x1030;
    QTest::newRow("F2") << int(Qt::Key_F2) << 0x1031;
}

void KeysTest::softKeysArriveAsKeysWithoutABar() {
    QFETCH(int, qtKey);
    QFETCH(int, code);
    RecordingWindow window;
    QTest::keyClick(&window, Qt::Key(qtKey));
    QCOMPARE(window.pressed, QList<int>{code});
}

// Every other key gets a code of its own: none of the table's, and no other key's.
void KeysTest::otherKeysKeepClearOfTheTable() {
    const QList<QPair<int, QString>> others{
        {Qt::Key_Escape, {}},
        {Qt::Key_Tab, {}},
        {Qt::Key_Backspace, {}},
        {Qt::Key_Delete, {}},
        {Qt::Key_Home, {}},
        {Qt::Key_F3, {}},
        {Qt::Key_F12, {}},
        {Qt::Key_A, "a"},
        {Qt::Key_O, "o"},
        {Qt::Key_Equal, "="},
        {Qt::Key_Comma, ","},
        {Qt::Key_Select, {}},
        {Qt::Key_Call, {}},
        {0x1004, QString(QChar(0x1004))},
        {0x1049, QString(QChar(0x1049))},
        {0x10ff, QString(QChar(0x10ff))},
        {Qt::Key_unknown, {}},
        {Qt::Key_unknown, QString(QChar(0x1012))},
    };
    QSet<int> seen;
    for (const auto& [qtKey, text] : others) {
        const int code = handsetKeyCode(qtKey, text);
        QVERIFY2(!tableCodeSet.contains(code), qPrintable(QString::number(qtKey, 16)));
        QVERIFY2(!seen.contains(code), qPrintable(QString::number(qtKey, 16)));
        seen.insert(code);
    }
}

QTEST_MAIN(KeysTest)
#include "tst_platform_keys.moc"
