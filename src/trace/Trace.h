#pragma once

#include <QByteArray>

// Progress and debug text on standard output. Every trace goes through here, in order, and none
// ever blocks the program: what standard output cannot take at once waits in a bounded buffer
// and goes out from the event loop as soon as it can; what does not fit is dropped whole. A
// reader that keeps reading sees every byte.
namespace Trace {

// The text exactly, nothing appended.
void bare(const QByteArray& text);
// The text and a newline.
void line(const QByteArray& text);

// At the program's end: waits a moment, at most kFinishMs, for what is still waiting to go out.
inline constexpr int kFinishMs = 200;
void finish();

} // namespace Trace
