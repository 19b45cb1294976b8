#pragma once

#include <QString>

// UI text from a UTF-8 byte literal.
inline QString toUtf8Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}
