#pragma once

#include <QList>
#include <QRect>
#include <QString>

// Where everything lies on the handset drawn around the 240x320 screen: the screen itself, the
// two soft keys under it, the navigation keys with their centre select, and the 12-key keypad.
namespace SkinLayout {

constexpr int kWidth = 280;
constexpr int kHeight = 672;
constexpr QRect kScreen{20, 48, 240, 320};

enum class KeyKind { Soft, Navigation, Select, Pad };

struct Key {
    KeyKind kind;
    // The desktop key it stands for, and the text that key types.
    int qtKey;
    QString text;
    QRect rect;
    // The name of the desktop key, and for the keypad the letters printed beside the digit.
    QString desktopName;
    QString letters;
};

const QList<Key>& keys();
// The index in keys() of the key at `point`, or -1.
int keyAt(const QPoint& point);
// The index in keys() of the key with that handset key code, or -1.
int keyWithCode(int handsetCode);

} // namespace SkinLayout
