#pragma once

#include <QByteArray>
#include <QString>

// Handset key codes: printable keys use their character code, the others 0x1000 upward.
namespace HandsetKey {
enum : int {
    Star = 42,
    Hash = 35,
    Digit0 = 48,
    Return = 0x1004,
    Left = 0x1012,
    Up = 0x1013,
    Right = 0x1014,
    Down = 0x1015,
    Prior = 0x1016,
    Next = 0x1017,
    F1 = 0x1030,
    F2 = 0x1031,
    F26 = 0x1049,
    F28 = 0x104B,
    F29 = 0x104C,
};
}

// The handset key code for a desktop (Qt) key and its text. Keys outside the handset table
// get a code of their own that never equals one of the table's codes.
int handsetKeyCode(int qtKey, const QString& text);
// The table as the usage text shows it.
QByteArray keyTableText();
