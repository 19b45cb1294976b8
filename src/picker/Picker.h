#pragma once

#include <QString>

// Runs the full-screen file picker on the memory card; the chosen absolute file path, or
// "USER_CANCEL" when it was closed without a choice.
QString runPicker();
