#pragma once

#include <QByteArray>

// One listed name, as the file system spells it.
struct DirEntry {
    QByteArray name;
    bool isDir = false;
};
