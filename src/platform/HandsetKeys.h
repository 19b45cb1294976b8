#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

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

// The handset key code, an unsigned 16-bit number, for a desktop (Qt) key and the text it types.
// Keys outside the handset table keep a code of their own that never equals one of the table's
// codes where one fits in 16 bits: Qt's first block of special keys (Escape, Tab, F3, ...) and
// characters up to U+FFFF. Every other key is dropped (none): modifier and lock keys pressed
// alone (Shift, Control, Alt, Meta, AltGr, Caps Lock, ...), Qt's further special keys
// (Select, Call, ...), characters above U+FFFF, the characters U+1000 to U+10FF (whose codes
// are the special keys'), and keys that Qt cannot name and that type no single character.
std::optional<quint16> handsetKeyCode(int qtKey, const QString& text);
// The table as the usage text shows it.
QByteArray keyTableText();
