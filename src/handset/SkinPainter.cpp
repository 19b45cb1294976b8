#include "SkinPainter.h"

#include "HandsetKeys.h"
#include "SkinLayout.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace SkinPainter {
namespace {

using SkinLayout::Key;
using SkinLayout::KeyKind;

const QColor kBodyTop(0x4a, 0x4f, 0x57);
const QColor kBodyBottom(0x22, 0x25, 0x2a);
const QColor kKeyFace(0xe9, 0xeb, 0xee);
const QColor kKeyPressed(0x9d, 0xb8, 0xd9);
const QColor kSoftKeyFace(0x3c, 0x6e, 0xa8);
const QColor kInk(0x1d, 0x20, 0x24);
const QColor kHint(0x6a, 0x70, 0x78);

void paintBody(QPainter& painter) {
    QLinearGradient shade(0, 0, 0, SkinLayout::kHeight);
    shade.setColorAt(0, kBodyTop);
    shade.setColorAt(1, kBodyBottom);
    painter.setPen(Qt::NoPen);
    painter.setBrush(shade);
    painter.drawRoundedRect(QRectF(0, 0, SkinLayout::kWidth, SkinLayout::kHeight), 34, 34);
    // The earpiece above the screen, and the screen's black frame.
    painter.setBrush(QColor(0x15, 0x16, 0x18));
    painter.drawRoundedRect(QRectF(SkinLayout::kWidth / 2 - 30, 18, 60, 7), 3.5, 3.5);
    painter.drawRoundedRect(QRectF(SkinLayout::kScreen).adjusted(-6, -6, 6, 6), 6, 6);
}

void paintNavigationRing(QPainter& painter) {
    const QPoint centre =
        SkinLayout::keys().at(SkinLayout::keyWithCode(HandsetKey::Return)).rect.center();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x30, 0x33, 0x39));
    painter.drawEllipse(QPointF(centre) + QPointF(0.5, 0.5), 56, 56);
}

QFont sized(const QFont& base, int pixels, bool bold) {
    QFont font(base);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

// An arrow pointing the key's way, drawn rather than typed so that no font can lose it.
void paintArrow(QPainter& painter, const Key& key) {
    const QPointF c = QRectF(key.rect).center();
    const qreal s = 6;
    QPolygonF arrow;
    switch (key.qtKey) {
    case Qt::Key_Up:
        arrow << c + QPointF(0, -s) << c + QPointF(s, s / 2) << c + QPointF(-s, s / 2);
        break;
    case Qt::Key_Down:
        arrow << c + QPointF(0, s) << c + QPointF(s, -s / 2) << c + QPointF(-s, -s / 2);
        break;
    case Qt::Key_Left:
        arrow << c + QPointF(-s, 0) << c + QPointF(s / 2, s) << c + QPointF(s / 2, -s);
        break;
    default:
        arrow << c + QPointF(s, 0) << c + QPointF(-s / 2, s) << c + QPointF(-s / 2, -s);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(kInk);
    painter.drawPolygon(arrow);
}

void paintFace(QPainter& painter, const Key& key, bool down) {
    const QRectF face = QRectF(key.rect).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(QColor(0, 0, 0, 90), 1));
    if (key.kind == KeyKind::Soft)
        painter.setBrush(down ? kKeyPressed : kSoftKeyFace);
    else
        painter.setBrush(down ? kKeyPressed : kKeyFace);
    if (key.kind == KeyKind::Select)
        painter.drawEllipse(face);
    else
        painter.drawRoundedRect(face, 9, 9);
}

void paintLabels(QPainter& painter, const Key& key, const Look& look, bool down) {
    const QRect rect = key.rect.translated(down ? 1 : 0, down ? 1 : 0);
    const QFont base = painter.font();
    switch (key.kind) {
    case KeyKind::Soft: {
        const QString text = key.qtKey == Qt::Key_F1 ? look.leftSoftText : look.rightSoftText;
        painter.setPen(Qt::white);
        painter.setFont(sized(base, 13, true));
        painter.drawText(rect.adjusted(0, 2, 0, -14), Qt::AlignCenter, text);
        painter.setFont(sized(base, 10, false));
        painter.drawText(rect.adjusted(0, 0, 0, -3), Qt::AlignHCenter | Qt::AlignBottom,
                         key.desktopName);
        break;
    }
    case KeyKind::Navigation:
        paintArrow(painter, key);
        break;
    case KeyKind::Select:
        painter.setPen(kInk);
        painter.setFont(sized(base, 10, true));
        painter.drawText(rect, Qt::AlignCenter, key.desktopName);
        break;
    case KeyKind::Pad:
        painter.setPen(kInk);
        painter.setFont(sized(base, 18, true));
        painter.drawText(rect.adjusted(10, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                         key.desktopName);
        painter.setPen(kHint);
        painter.setFont(sized(base, 11, false));
        painter.drawText(rect.adjusted(0, 0, -10, 0), Qt::AlignRight | Qt::AlignVCenter,
                         key.letters);
        break;
    }
    painter.setFont(base);
}

} // namespace

void paint(QPainter& painter, const Look& look) {
    painter.setRenderHint(QPainter::Antialiasing);
    paintBody(painter);
    paintNavigationRing(painter);
    const QList<Key>& keys = SkinLayout::keys();
    for (qsizetype i = 0; i < keys.size(); ++i) {
        const bool down = look.down.contains(int(i));
        paintFace(painter, keys[i], down);
        paintLabels(painter, keys[i], look, down);
    }
}

} // namespace SkinPainter
