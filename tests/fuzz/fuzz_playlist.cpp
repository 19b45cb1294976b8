// Any bytes as a list of each kind (the first byte picks it): at most kMaxEntries entries, each
// a path under the list's folder or an absolute one, without a NUL byte, of at most 4096 bytes.
#include "Playlist.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const char* data, size_t size) {
    if (size == 0)
        return 0;
    const auto kind = Playlist::Kind(1 + static_cast<unsigned char>(data[0]) % 3);
    const QByteArrayList entries =
        Playlist::parse(QByteArray(data + 1, qsizetype(size - 1)), kind, "/list");
    bool sound = entries.size() <= Playlist::kMaxEntries;
    for (const QByteArray& entry : entries)
        sound = sound && entry.startsWith('/') && !entry.contains('\0') && entry.size() <= 4096 + 6;
    if (!sound)
        std::abort();
    return 0;
}
