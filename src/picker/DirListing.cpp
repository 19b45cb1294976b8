#include "DirListing.h"

#include "DirReader.h"

namespace {

QByteArray parentPath(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    return slash > 0 ? path.left(slash) : QByteArrayLiteral("/");
}

} // namespace

DirListing::DirListing(const QByteArray& path) {
    changeTo(path);
}

QByteArray DirListing::filePath(const QByteArray& name) const {
    return path_.endsWith('/') ? path_ + name : path_ + '/' + name;
}

void DirListing::cd(const QByteArray& name) {
    if (name == ".")
        changeTo(path_);
    else if (name == "..")
        cdUp();
    else
        changeTo(filePath(name));
}

void DirListing::cdUp() {
    changeTo(parentPath(path_));
}

void DirListing::changeTo(const QByteArray& path) {
    path_ = path;
    entries_ = readDirectory(path_);
}
