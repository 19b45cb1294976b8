#include "DirReader.h"

#include <algorithm>
#include <dirent.h>
#include <memory>
#include <sys/stat.h>

namespace {

bool isListedName(const char* name) {
    if (name[0] != '.')
        return true;
    return name[1] == '\0' || (name[1] == '.' && name[2] == '\0');
}

enum class Kind { Directory, File, Other };

Kind kindOfType(mode_t mode) {
    if (S_ISDIR(mode))
        return Kind::Directory;
    return S_ISREG(mode) ? Kind::File : Kind::Other;
}

// Most file systems tell the kind in the directory entry itself, which spares a stat per name
// on large directories; links and file systems that do not tell are asked.
Kind kindOf(DIR* dir, const dirent* entry) {
    switch (entry->d_type) {
    case DT_DIR:
        return Kind::Directory;
    case DT_REG:
        return Kind::File;
    case DT_LNK:
    case DT_UNKNOWN: {
        struct stat info;
        if (fstatat(dirfd(dir), entry->d_name, &info, 0) != 0)
            return Kind::Other;
        return kindOfType(info.st_mode);
    }
    default:
        return Kind::Other;
    }
}

bool listedBefore(const DirEntry& a, const DirEntry& b) {
    if (a.isDir != b.isDir)
        return a.isDir;
    return a.name < b.name;
}

} // namespace

std::vector<DirEntry> readDirectory(const QByteArray& path) {
    std::vector<DirEntry> entries;
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(path.constData()), closedir);
    if (!dir)
        return entries;
    while (const dirent* entry = readdir(dir.get())) {
        if (!isListedName(entry->d_name))
            continue;
        const Kind kind = kindOf(dir.get(), entry);
        if (kind != Kind::Other)
            entries.push_back({QByteArray(entry->d_name), kind == Kind::Directory});
    }
    std::sort(entries.begin(), entries.end(), listedBefore);
    return entries;
}
