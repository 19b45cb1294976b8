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

QString rowText(const DirEntry& entry) {
    const QString name = QFile::decodeName(entry.name);
    return entry.isDir ? QLatin1Char('/') + name : name;
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

void paintSelection(QPainter& painter, int selected) {
    const int top = selectionTop(selected);
    painter.drawRect(0, top, Width, RowHeight);
    painter.drawRect(2, top + 2, Width - 4, RowHeight - 4);
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
