#include "ListView.h"

#include "DirListing.h"

#include <QFile>
#include <QPainter>
#include <algorithm>

namespace ListView {
namespace {

constexpr int TextLeft = 4;
constexpr int TextTop = 4;
constexpr int TextHeight = 20;

int selectionTop(int selected) {
    return (selected - 1) * RowHeight;
}

// A name may hold any byte but the slash, line breaks and other control characters included.
// Drawn as they are they would break the name over the rows below, or vanish, so each is shown
// as a sign of its own: the C0 controls and DEL as their control pictures (U+2400 to U+2421),
// every other control or line and paragraph separator as the replacement character.
QChar visible(QChar c) {
    if (c.unicode() < 0x20)
        return QChar(0x2400 + c.unicode());
    if (c.unicode() == 0x7f)
        return QChar(0x2421);
    switch (c.category()) {
    case QChar::Other_Control:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return QChar::ReplacementCharacter;
    default:
        return c;
    }
}

QString rowText(const DirEntry& entry) {
    QString text = QFile::decodeName(entry.name);
    for (QChar& c : text)
        c = visible(c);
    return entry.isDir ? QLatin1Char('/') + text : text;
}

// Glyphs are not clipped to their row, so one row more on either side is drawn in case a
// neighbour's text reaches into the screen.
void paintVisibleRows(QPainter& painter, const DirListing& listing, int scrollOffset) {
    const int first = std::max(0, scrollOffset / RowHeight - 1);
    const int last = std::min(listing.count() - 1, (scrollOffset + Height) / RowHeight + 1);
    for (int row = first; row <= last; ++row) {
        const QRect box(TextLeft, row * RowHeight + TextTop, Width, TextHeight);
        painter.drawText(box, Qt::AlignLeft, rowText(listing.at(row)));
    }
}

// A one-pixel outline of drawRect(x, y, w, h) covers w + 1 by h + 1 pixels; the frames must stay
// inside their row (240 by 28, and 236 by 24 two pixels in) and on the screen.
void outlineInside(QPainter& painter, int left, int top, int width, int height) {
    painter.drawRect(left, top, width - 1, height - 1);
}

void paintSelection(QPainter& painter, int selected) {
    const int top = selectionTop(selected);
    outlineInside(painter, 0, top, Width, RowHeight);
    outlineInside(painter, 2, top + 2, Width - 4, RowHeight - 4);
}

} // namespace

int followSelection(int scrollOffset, int selected) {
    const int top = selectionTop(selected);
    scrollOffset = std::min(scrollOffset, top);
    return std::max(scrollOffset, top + RowHeight - Height);
}

QPixmap render(const DirListing& listing, int selected, int scrollOffset) {
    QPixmap screen(Width, Height);
    screen.fill(Qt::white);
    QPainter painter(&screen);
    painter.translate(0, -scrollOffset);
    paintVisibleRows(painter, listing, scrollOffset);
    paintSelection(painter, selected);
    return screen;
}

} // namespace ListView
