#pragma once

#include <QRect>

class QWidget;

// Measures of the emulated 240x320 screen, and where windows that belong to it go.
namespace HandsetScreen {

constexpr int kWidth = 240;
constexpr int kHeight = 320;
constexpr int kTitleHeight = 24;
constexpr int kSoftKeyHeight = 28;

// The global rectangle of the handset window `widget` belongs to. A widget outside every
// handset window goes with the active handset window, or else the first visible one. Null
// when no handset window is shown.
QRect rectFor(const QWidget* widget);

// Moves the top-level `window` to the middle of that screen.
void centerInside(QWidget* window, const QWidget* anchor);

} // namespace HandsetScreen
