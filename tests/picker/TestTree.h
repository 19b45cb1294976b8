#pragma once

#include <QString>
#include <QStringList>

namespace TestTree {

// Creates the named entries below root: a path ending in "/" is a directory, any other an
// empty file. Missing parent directories are made on the way.
bool make(const QString& root, const QStringList& paths);

} // namespace TestTree

// Makes a directory unreadable for as long as it lives, root or not: its mode becomes 000 and
// the calling thread gives up the capabilities that would let root read it anyway.
class UnreadableDirectory {
public:
    explicit UnreadableDirectory(const QString& path);
    ~UnreadableDirectory();
    UnreadableDirectory(const UnreadableDirectory&) = delete;
    UnreadableDirectory& operator=(const UnreadableDirectory&) = delete;

private:
    QString path_;
};
