#include "HandsetKeys.h"

#include <Qt>

// Codes of the desktop keys:
//
//   Space, '+', '-'                  the handset's F26, F28, F29: 0x1049, 0x104B, 0x104C
//   Return, Enter                    0x1004
//   Qt's special keys 0x01000000 to  0x1000 | (key & 0xff): Escape 0x1000, Tab 0x1001,
//   0x010000ff                       Left 0x1012 ... Next 0x1017, F1 0x1030, F2 0x1031, ...
//   modifier and lock keys alone     dropped: Shift, Control, Alt, Meta, the locks, Super,
//                                    Hyper (AltGr lies outside the block, dropped with it)
//   characters below 0x1000          the character code as Qt names the key: the digits
//                                    48-57, '*' 42, '#' 35, letters their capital (A is 65)
//   characters 0x1100 to 0xffff      the character code
//   anything else                    dropped
//
// The codes kept lie in ranges that do not overlap, so a key outside the table never takes one
// of the table's codes: Space, '+' and '-' give up their character codes, which no other key
// then takes, and the characters whose codes are the special keys' are dropped with the keys
// that have no code below 0x10000. A key Qt cannot name but which types one character counts
// as that character.

namespace {

constexpr int kSpecialFirst = 0x01000000;
constexpr int kSpecialLast = 0x010000ff;
constexpr int kSpecialBase = 0x1000;
constexpr int kSpecialCodesEnd = 0x1100;
constexpr int kLargestCode = 0xffff;

// They only change what other keys type; the handset has none of them.
bool isModifier(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_Alt:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_ScrollLock:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
        return true;
    default:
        return false;
    }
}

std::optional<quint16> specialKeyCode(int qtKey) {
    if (qtKey == Qt::Key_Enter)
        return HandsetKey::Return;
    if (isModifier(qtKey))
        return std::nullopt;
    return quint16(kSpecialBase | (qtKey & 0xff));
}

std::optional<quint16> characterCode(int character) {
    switch (character) {
    case Qt::Key_Space:
        return HandsetKey::F26;
    case Qt::Key_Plus:
        return HandsetKey::F28;
    case Qt::Key_Minus:
        return HandsetKey::F29;
    }
    const bool amongSpecialCodes = character >= kSpecialBase && character < kSpecialCodesEnd;
    if (character <= 0 || amongSpecialCodes || character > kLargestCode)
        return std::nullopt;
    return quint16(character);
}

} // namespace

std::optional<quint16> handsetKeyCode(int qtKey, const QString& text) {
    if (qtKey == 0 || qtKey == Qt::Key_unknown)
        return text.size() == 1 ? characterCode(text.at(0).unicode()) : std::nullopt;
    if (qtKey >= kSpecialFirst && qtKey <= kSpecialLast)
        return specialKeyCode(qtKey);
    if (qtKey < kSpecialFirst)
        return characterCode(qtKey);
    return std::nullopt;
}

QByteArray keyTableText() {
    return
#include "KeyTable.inc"
        ;
}
