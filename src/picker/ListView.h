#pragma once

#include <QPixmap>

class DirListing;

// How the picker lays its list out: one 28-pixel row per entry on a 240x320 screen, as if the
// whole list were drawn on one tall white page of which the screen shows 320 rows starting at
// the scroll offset. Only the rows that reach the screen are drawn, so the cost does not grow
// with the directory.
namespace ListView {

constexpr int RowHeight = 28;
constexpr int Width = 240;
constexpr int Height = 320;

// The scroll offset after the one given has been moved just far enough to show the selected
// row (counted from 1).
int followSelection(int scrollOffset, int selected);

// The screen for the given selection and scroll offset, drawn with a fresh painter's default
// font and pen.
QPixmap render(const DirListing& listing, int selected, int scrollOffset);

} // namespace ListView
