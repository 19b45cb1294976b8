#pragma once

#include "DirEntry.h"

#include <QString>

// The text of an entry's row on the picker's screen: the name decoded as the file system's
// encoding, every sign that would break the row or vanish shown as one that can be seen, and a
// directory marked with a leading "/".
QString rowText(const DirEntry& entry);
