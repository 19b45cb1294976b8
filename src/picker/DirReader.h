#pragma once

#include "DirEntry.h"

#include <QByteArray>
#include <vector>

// The sub-directories and files of a directory, "." and ".." included and every other name
// beginning with "." left out; directories first, each group in ascending byte order of the
// names (for UTF-8 names that is character code order, capitals before small letters).
// Symbolic links count as what they point to; dangling links, devices, pipes and sockets are
// left out. A directory that cannot be read gives no entries.
std::vector<DirEntry> readDirectory(const QByteArray& path);
