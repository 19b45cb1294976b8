#include "TestTree.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace TestTree {

bool make(const QString& root, const QStringList& paths) {
    for (const QString& path : paths) {
        const QString full = QDir(root).filePath(path);
        if (path.endsWith('/')) {
            if (!QDir().mkpath(full))
                return false;
            continue;
        }
        if (!QDir().mkpath(QFileInfo(full).path()))
            return false;
        QFile file(full);
        if (!file.open(QIODevice::WriteOnly))
            return false;
    }
    return true;
}

} // namespace TestTree

namespace {

constexpr unsigned DirectoryBypass = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH);

// Capabilities belong to threads; the picker reads directories on the thread that runs this.
void setDirectoryBypass(bool on) {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    if (syscall(SYS_capget, &header, data) != 0)
        return;
    if (on)
        data[0].effective |= DirectoryBypass & data[0].permitted;
    else
        data[0].effective &= ~DirectoryBypass;
    syscall(SYS_capset, &header, data);
}

} // namespace

UnreadableDirectory::UnreadableDirectory(const QString& path) : path_(path) {
    QFile::setPermissions(path_, QFileDevice::Permissions());
    setDirectoryBypass(false);
}

UnreadableDirectory::~UnreadableDirectory() {
    setDirectoryBypass(true);
    QFile::setPermissions(path_,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}
