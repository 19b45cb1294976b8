#pragma once

class QWidget;
class ZMainWidget;

// The desktop window a top-level handset window shows in. Unless a framer is set, the window is
// its own desktop window: the bare 240x320 screen. A framer, set once at start by whoever draws
// the handset, puts each top-level handset window into a desktop window of its own as it is
// made; the frame follows its screen from then on and goes when the screen goes.
namespace WindowFrame {

using Framer = QWidget* (*)(ZMainWidget* screen);

void setFramer(Framer framer);
// The new frame of `screen`, or null when windows show bare.
QWidget* frame(ZMainWidget* screen);
// The handset window a top-level desktop window shows: itself, or the one it frames; else null.
ZMainWidget* screenIn(QWidget* window);

} // namespace WindowFrame
