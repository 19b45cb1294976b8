// Desktop keys reach a handset window's key handlers as handset key codes.
#include "HandsetKeys.h"
#include "RecordingWindow.h"

#include <QSet>
#include <QTest>

class KeysTest : public QObject {
    Q_OBJECT
private slots:
    void deliveredAsHandsetCodes_data();
    void deliveredAsHandsetCodes();
    void otherKeysKeepClearOfTheTable();
};

namespace {

const QSet<int> tableCodes{35,     42,     48,     49,     50,     51,     52,     53,
                           54,     55,     56,     57,     0x1004, 0x1012, 0x1013, 0x1014,
                           0x1015, 0x1016, 0x1017, 0x1030, 0x1031, 0x1049, 0x104B, 0x104C};

} // namespace

// The window has no soft-key bar, so F1 and F2 arrive as keys.
void KeysTest::deliveredAsHandsetCodes_data() {
    QTest::addColumn<int>("qtKey");
    QTest::addColumn<int>("code");
    const QList<std::tuple<const char*, int, int>> table{
        {"0", Qt::Key_0, 48},
        {"5", Qt::Key_5, 53},
        {"9", Qt::Key_9, 57},
        {"*", Qt::Key_Asterisk, 42},
        {"#", Qt::Key_NumberSign, 35},
        {"Left", Qt::Key_Left, 0x1012},
        {"Up", Qt::Key_Up, 0x1013},
        {"Right", Qt::Key_Right, 0x1014},
        {"Down", Qt::Key_Down, 0x1015},
        {"Return", Qt::Key_Return, 0x1004},
        {"Enter", Qt::Key_Enter, 0x1004},
        {"Page Up", Qt::Key_PageUp, 0x1016},
        {"Page Down", Qt::Key_PageDown, 0x1017},
        {"Space", Qt::Key_Space, 0x1049},
        {"+", Qt::Key_Plus, 0x104B},
        {"-", Qt::Key_Minus, 0x104C},
        {"F1", Qt::Key_F1, 0x1030},
        {"F2", Qt::Key_F2, 0x1031},
    };
    for (const auto& [name, qtKey, code] : table)
        QTest::newRow(name) << qtKey << code;
}

void KeysTest::deliveredAsHandsetCodes() {
    QFETCH(int, qtKey);
    QFETCH(int, code);
    QCOMPARE(handsetKeyCode(qtKey, QString()), code);
    RecordingWindow window;
    QTest::keyClick(&window, Qt::Key(qtKey));
    QCOMPARE(window.pressed, QList<int>{code});
    QCOMPARE(window.released, QList<int>{code});
}

// Every other key gets a code of its own: none of the table's, and no other key's.
void KeysTest::otherKeysKeepClearOfTheTable() {
    const QList<QPair<int, QString>> others{
        {Qt::Key_Escape, {}},
        {Qt::Key_Tab, {}},
        {Qt::Key_Backspace, {}},
        {Qt::Key_F3, {}},
        {Qt::Key_F12, {}},
        {Qt::Key_A, "a"},
        {Qt::Key_O, "o"},
        {Qt::Key_Equal, "="},
        {Qt::Key_Select, {}},
        {Qt::Key_Call, {}},
        {Qt::Key_unknown, {}},
        {Qt::Key_unknown, QString(QChar(0x1012))},
        {0x1004, QString(QChar(0x1004))},
        {0x1049, QString(QChar(0x1049))},
    };
    QSet<int> seen;
    for (const auto& [qtKey, text] : others) {
        const int code = handsetKeyCode(qtKey, text);
        QVERIFY2(!tableCodes.contains(code) && !seen.contains(code),
                 qPrintable(QString::number(qtKey, 16)));
        seen.insert(code);
    }
}

QTEST_MAIN(KeysTest)
#include "tst_platform_keys.moc"
