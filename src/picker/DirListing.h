#pragma once

#include "DirEntry.h"

#include <QByteArray>
#include <vector>

// The directory the picker shows and its entries, read once each time it changes directory.
// Paths are absolute and clean, without a trailing "/" except for the root. Changing into a
// directory that cannot be read (or has gone) still goes there, with no entries, so that going
// up always leads back out of it.
class DirListing {
public:
    explicit DirListing(const QByteArray& path);

    const QByteArray& path() const { return path_; }
    int count() const { return int(entries_.size()); }
    const DirEntry& at(int index) const { return entries_[std::size_t(index)]; }
    QByteArray filePath(const QByteArray& name) const;

    // "." reads the directory again, ".." goes to its parent.
    void cd(const QByteArray& name);
    void cdUp();

private:
    void changeTo(const QByteArray& path);

    QByteArray path_;
    std::vector<DirEntry> entries_;
};
