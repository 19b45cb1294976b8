#pragma once

#include <QByteArray>

// A media path as the player must see it to take it for a file: a path beginning with "-" would
// be read as an option ("-idle" would leave the player waiting for ever), and the bare names "{"
// and "}" as the player's playlist group markers, so they are given as "./-idle", "./{" and
// "./}", which name the same files. Every other path is returned unchanged, byte for byte.
inline QByteArray asFileArgument(const QByteArray& mediaPath) {
    const bool misread = mediaPath.startsWith('-') || mediaPath == "{" || mediaPath == "}";
    return misread ? "./" + mediaPath : mediaPath;
}
