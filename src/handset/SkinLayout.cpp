#include "SkinLayout.h"

#include "HandsetKeys.h"

#include <Qt>

namespace SkinLayout {
namespace {

constexpr int kSoftTop = kScreen.bottom() + 16;
constexpr int kPadTop = kSoftTop + 118;
constexpr int kPadWidth = 72;
constexpr int kPadHeight = 32;
constexpr int kPadColumns[] = {24, 104, 184};
constexpr int kPadRowStep = 40;

QList<Key> softAndNavigationKeys() {
    const int centreX = kScreen.center().x() + 1;
    const int centreY = kSoftTop + 52;
    return {
        {KeyKind::Soft, Qt::Key_F1, {}, {20, kSoftTop, 72, 36}, QStringLiteral("F1"), {}},
        {KeyKind::Soft, Qt::Key_F2, {}, {188, kSoftTop, 72, 36}, QStringLiteral("F2"), {}},
        {KeyKind::Navigation, Qt::Key_Up, {}, {centreX - 22, centreY - 50, 44, 30}, {}, {}},
        {KeyKind::Navigation, Qt::Key_Down, {}, {centreX - 22, centreY + 20, 44, 30}, {}, {}},
        {KeyKind::Navigation, Qt::Key_Left, {}, {centreX - 52, centreY - 22, 30, 44}, {}, {}},
        {KeyKind::Navigation, Qt::Key_Right, {}, {centreX + 22, centreY - 22, 30, 44}, {}, {}},
        {KeyKind::Select,
         Qt::Key_Return,
         QStringLiteral("\r"),
         {centreX - 20, centreY - 20, 40, 40},
         QStringLiteral("Enter"),
         {}},
    };
}

QList<Key> padKeys() {
    static const char* const faces[12][2] = {
        {"1", ""},     {"2", "abc"}, {"3", "def"},  {"4", "ghi"}, {"5", "jkl"}, {"6", "mno"},
        {"7", "pqrs"}, {"8", "tuv"}, {"9", "wxyz"}, {"*", ""},    {"0", "+"},   {"#", ""}};
    QList<Key> pad;
    for (int i = 0; i < 12; ++i) {
        const QString face = QString::fromLatin1(faces[i][0]);
        const QRect rect(kPadColumns[i % 3], kPadTop + i / 3 * kPadRowStep, kPadWidth, kPadHeight);
        // Qt names printable keys by their character code.
        pad.append({KeyKind::Pad, face.at(0).unicode(), face, rect, face,
                    QString::fromLatin1(faces[i][1])});
    }
    return pad;
}

} // namespace

const QList<Key>& keys() {
    static const QList<Key> all = softAndNavigationKeys() + padKeys();
    return all;
}

int keyAt(const QPoint& point) {
    for (qsizetype i = 0; i < keys().size(); ++i) {
        if (keys()[i].rect.contains(point))
            return int(i);
    }
    return -1;
}

int keyWithCode(int handsetCode) {
    for (qsizetype i = 0; i < keys().size(); ++i) {
        if (handsetKeyCode(keys()[i].qtKey, keys()[i].text) == quint16(handsetCode))
            return int(i);
    }
    return -1;
}

} // namespace SkinLayout
