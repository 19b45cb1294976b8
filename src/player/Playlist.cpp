#include "Playlist.h"

#include <algorithm>
#include <cctype>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace Playlist {

namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
// A longer entry could not be opened anyway.
constexpr qsizetype kMaxPathBytes = 4096;
// Media files hold NUL bytes within their first kilobytes; lists written as text never do.
constexpr qsizetype kSniffBytes = 4096;

bool isUrl(const QByteArray& entry) {
    const qsizetype colon = entry.indexOf("://");
    if (colon <= 0 || !std::isalpha(static_cast<unsigned char>(entry[0])))
        return false;
    return std::all_of(entry.begin(), entry.begin() + colon, [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.';
    });
}

bool canNameFile(const QByteArray& entry) {
    return !entry.isEmpty() && entry.size() <= kMaxPathBytes && !entry.contains('\0') &&
           !isUrl(entry);
}

QByteArray joined(const QByteArray& folder, const QByteArray& entry) {
    if (folder.isEmpty() || entry.startsWith('/'))
        return entry;
    return folder.endsWith('/') ? folder + entry : folder + '/' + entry;
}

QByteArrayList linesOf(const QByteArray& text) {
    QByteArrayList lines;
    for (const QByteArray& line : text.split('\n'))
        lines << line.trimmed(); // a CR of CRLF ends included
    return lines;
}

QByteArrayList lineEntries(const QByteArray& text) {
    QByteArrayList entries;
    for (const QByteArray& line : linesOf(text)) {
        if (!line.startsWith('#'))
            entries << line;
    }
    return entries;
}

// Entries go by their number, as players of these lists order them; equal numbers keep their
// order in the file.
QByteArrayList plsEntries(const QByteArray& text) {
    QList<std::pair<long long, QByteArray>> numbered;
    for (const QByteArray& line : linesOf(text)) {
        const qsizetype equals = line.indexOf('=');
        const QByteArray key = line.left(equals).trimmed().toLower();
        bool isNumber = false;
        const long long number = key.mid(4).toLongLong(&isNumber);
        if (equals > 0 && key.startsWith("file") && isNumber)
            numbered.append({number, line.mid(equals + 1).trimmed()});
    }
    std::stable_sort(numbered.begin(), numbered.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    QByteArrayList entries;
    for (const auto& [number, entry] : numbered)
        entries << entry;
    return entries;
}

QByteArray xmlDecoded(QByteArray value) {
    return value.replace("&lt;", "<")
        .replace("&gt;", ">")
        .replace("&quot;", "\"")
        .replace("&apos;", "'")
        .replace("&amp;", "&");
}

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The href attribute's value within one tag, quoted or not; null when there is none.
QByteArray hrefIn(const QByteArray& tag, const QByteArray& lowerTag) {
    for (qsizetype at = lowerTag.indexOf("href"); at > 0; at = lowerTag.indexOf("href", at + 1)) {
        qsizetype i = at + 4;
        while (i < tag.size() && isSpace(tag[i]))
            ++i;
        if (!isSpace(tag[at - 1]) || i >= tag.size() || tag[i] != '=')
            continue;
        ++i;
        while (i < tag.size() && isSpace(tag[i]))
            ++i;
        const char quote = i < tag.size() && (tag[i] == '"' || tag[i] == '\'') ? tag[i] : 0;
        const qsizetype start = quote ? i + 1 : i;
        qsizetype end = start;
        while (
            end < tag.size() &&
            (quote ? tag[end] != quote : !isSpace(tag[end]) && tag[end] != '/' && tag[end] != '>'))
            ++end;
        return xmlDecoded(tag.mid(start, end - start));
    }
    return {};
}

// <ref href="..."/> elements, their names and attributes in any case; commented-out ones are not
// entries.
QByteArrayList asxEntries(const QByteArray& text) {
    const QByteArray lower = text.toLower(); // ASCII only: offsets stay the same
    QByteArrayList entries;
    qsizetype at = 0;
    while ((at = lower.indexOf('<', at)) >= 0) {
        if (lower.mid(at, 4) == "<!--") {
            const qsizetype end = lower.indexOf("-->", at + 4);
            if (end < 0)
                break;
            at = end + 3;
            continue;
        }
        const qsizetype end = lower.indexOf('>', at);
        if (end < 0)
            break;
        const bool isRef =
            lower.mid(at, 4) == "<ref" && (isSpace(lower.at(at + 4)) || lower.at(at + 4) == '/');
        if (isRef)
            entries << hrefIn(text.mid(at, end - at), lower.mid(at, end - at));
        at = end + 1;
    }
    return entries;
}

QByteArrayList rawEntries(const QByteArray& text, Kind kind) {
    switch (kind) {
    case Kind::Lines:
        return lineEntries(text);
    case Kind::Pls:
        return plsEntries(text);
    case Kind::Asx:
        return asxEntries(text);
    case Kind::None:
        break;
    }
    return {};
}

// At most kMaxBytes of a regular file, without waiting on anything else (a FIFO, a device);
// null for a file that is not text.
QByteArray readList(const QByteArray& path) {
    const int fd = open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return {};
    struct stat status {};
    QByteArray bytes;
    if (fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) {
        bytes.resize(kMaxBytes);
        qsizetype size = 0;
        for (ssize_t n = 1; n > 0 && size < kMaxBytes; size += std::max<ssize_t>(n, 0))
            n = read(fd, bytes.data() + size, kMaxBytes - size);
        bytes.truncate(size);
    }
    close(fd);
    return bytes.left(kSniffBytes).contains('\0') ? QByteArray() : bytes;
}

bool isRegularFile(const QByteArray& path) {
    struct stat status {};
    return stat(path.constData(), &status) == 0 && S_ISREG(status.st_mode);
}

QByteArray folderOf(const QByteArray& path) {
    return path.left(path.lastIndexOf('/') + 1);
}

} // namespace

Kind kindOf(const QByteArray& path) {
    const qsizetype dot = path.lastIndexOf('.');
    if (dot < 0 || path.indexOf('/', dot) >= 0)
        return Kind::None;
    const QByteArray ending = path.mid(dot + 1).toLower();
    if (ending == "m3u" || ending == "m3u8" || ending == "ram")
        return Kind::Lines;
    if (ending == "pls")
        return Kind::Pls;
    return ending == "asx" ? Kind::Asx : Kind::None;
}

QByteArrayList parse(const QByteArray& bytes, Kind kind, const QByteArray& folder) {
    QByteArray text = bytes.left(kMaxBytes);
    if (text.startsWith(kByteOrderMark))
        text.remove(0, 3);
    QByteArrayList entries;
    for (const QByteArray& entry : rawEntries(text, kind)) {
        if (canNameFile(entry) && entries.size() < kMaxEntries)
            entries << joined(folder, entry);
    }
    return entries;
}

QByteArrayList clipsOf(const QByteArray& path) {
    const Kind kind = kindOf(path);
    QByteArrayList clips;
    if (kind != Kind::None) {
        for (const QByteArray& entry : parse(readList(path), kind, folderOf(path))) {
            if (isRegularFile(entry))
                clips << entry;
        }
    }
    return clips.isEmpty() ? QByteArrayList{path} : clips;
}

} // namespace Playlist
