#pragma once

#include "SelectionRest.h"

#include <QString>

// Runs the full-screen file picker on the memory card; the chosen absolute file path, or
// "USER_CANCEL" when it was closed without a choice. onRest, when given, hears of every file the
// selection rests on (see SelectionRest).
QString runPicker(const SelectionRest::Callback& onRest = {});
