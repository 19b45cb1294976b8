#pragma once

#include "SelectionRest.h"

#include <QByteArray>
#include <QString>

// Runs the full-screen file picker on the memory card; the chosen absolute file path, or
// "USER_CANCEL" when it was closed without a choice. The text stands in U+FFFD for bytes that
// are not UTF-8, so whoever opens the file takes its path from chosenBytes: the path's own
// bytes, or empty when nothing was chosen. onRest, when given, hears of every file the
// selection rests on (see SelectionRest).
QString runPicker(QByteArray& chosenBytes, const SelectionRest::Callback& onRest = {});
