#pragma once

#include <QByteArray>
#include <QByteArrayList>

// Lists of clips the program reads itself, so that each entry plays as a clip of its own and no
// list is ever handed to the player to read.
namespace Playlist {

enum class Kind { None, Lines, Pls, Asx };

// What the name's ending says the file is: .m3u, .m3u8 and .ram hold one entry a line, .pls
// "FileN=" keys, .asx <ref href="..."/> elements; anything else is no list.
Kind kindOf(const QByteArray& path);

// The entries the bytes of a list of that kind name, in their order, relative ones joined to
// the list's folder (none when the list lies in the working directory). Comments, URLs and
// entries that cannot name a file are left out. Pure: nothing is read from the file system.
QByteArrayList parse(const QByteArray& bytes, Kind kind, const QByteArray& folder);

// The clips a path plays: the entries of the list it names that are regular files, or the path
// itself when it names no list or a list without a playable entry. Reads at most kMaxBytes, and
// only from a regular file.
QByteArrayList clipsOf(const QByteArray& path);

constexpr qsizetype kMaxBytes = 1 << 20;
constexpr qsizetype kMaxEntries = 4096;

} // namespace Playlist
