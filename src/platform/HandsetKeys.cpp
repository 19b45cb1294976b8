#include "HandsetKeys.h"

#include <Qt>

// Codes of the desktop keys:
//
//   Space, '+', '-'                  the handset's F26, F28, F29: 0x1049, 0x104B, 0x104C
//   Return, Enter                    0x1004
//   Qt's special keys 0x01000000 to  0x1000 | (key & 0xff): Escape 0x1000, Tab 0x1001,
//   0x010000ff                       Left 0x1012 ... Next 0x1017, F1 0x1030, F2 0x1031, ...
//   characters below 0x1000          the character code as Qt names the key: the digits
//                                    48-57, '*' 42, '#' 35, letters their capital (A is 65)
//   characters from 0x1000 up        0x10000 + the character code (0x11000 to 0x11ffff)
//   Qt's other special keys          Qt's own code (0x01000100 and above)
//
// The last four rows give codes in ranges that do not overlap, so a key outside the table never
// takes one of the table's codes: characters whose codes would land among the special keys
// are moved past them, and Space, '+' and '-' give up their character codes, which no other
// key then takes. A key Qt cannot name but which types one character gets that character's
// code.

namespace {

constexpr int kSpecialFirst = 0x01000000;
constexpr int kSpecialLast = 0x010000ff;
constexpr int kSpecialBase = 0x1000;
constexpr int kWideCharacterBase = 0x10000;

int specialKeyCode(int qtKey) {
    if (qtKey == Qt::Key_Enter)
        return HandsetKey::Return;
    return kSpecialBase | (qtKey & 0xff);
}

int characterCode(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Space:
        return HandsetKey::F26;
    case Qt::Key_Plus:
        return HandsetKey::F28;
    case Qt::Key_Minus:
        return HandsetKey::F29;
    default:
        return qtKey < kSpecialBase ? qtKey : kWideCharacterBase + qtKey;
    }
}

} // namespace

int handsetKeyCode(int qtKey, const QString& text) {
    if ((qtKey == 0 || qtKey == Qt::Key_unknown) && text.size() == 1)
        return characterCode(text.at(0).unicode());
    if (qtKey >= kSpecialFirst && qtKey <= kSpecialLast)
        return specialKeyCode(qtKey);
    if (qtKey < kSpecialFirst)
        return characterCode(qtKey);
    return qtKey;
}

QByteArray keyTableText() {
    return "  Desktop key       Handset key             Code\n"
           "  0-9 * #           0-9 * #                 48-57 42 35\n"
           "  Left Up           Left Up                 0x1012 0x1013\n"
           "  Right Down        Right Down              0x1014 0x1015\n"
           "  Return, Enter     Return                  0x1004\n"
           "  Page Up           Prior                   0x1016\n"
           "  Page Down         Next                    0x1017\n"
           "  Space             F26                     0x1049\n"
           "  + -               F28 F29                 0x104B 0x104C\n"
           "  F1                left soft key           (0x1030 without soft keys)\n"
           "  F2                right soft key          (0x1031 without soft keys)\n";
}
