#pragma once

#include <QRect>

class QWidget;

// Where windows that belong to the handset's screen go: dialogs and menus open inside it.
namespace ScreenPlacement {

// The global rectangle of the handset window `widget` belongs to. A widget outside every
// handset window goes with the active handset window, or else the first visible one. Null
// when no handset window is shown.
QRect rectFor(const QWidget* widget);

// Moves the top-level `window` to the middle of that screen.
void centerInside(QWidget* window, const QWidget* anchor);

} // namespace ScreenPlacement
