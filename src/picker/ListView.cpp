#include "ListView.h"

#include "DirListing.h"
#include "RowText.h"

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
