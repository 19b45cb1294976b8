#include "VideoRotation.h"

#include <QList>
#include <QtEndian>
#include <array>
#include <cmath>
#include <fcntl.h>
#include <numbers>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The 2x2 part of a display matrix, in its 16.16 fixed-point values: (a b; c d).
using Matrix = std::array<double, 4>;

constexpr Matrix kIdentity{1, 0, 0, 1};
constexpr int kHeaderBytes = 8;
// A 'moov' larger than this (hours of index) is not read; the clip plays unturned.
constexpr qint64 kMovieBoxLimit = 32 << 20;
// How many top-level boxes are walked looking for 'moov' before the file is taken for another.
constexpr int kTopLevelBoxLimit = 64;

// Views into the bytes given: a movie box holds megabytes of index, never copied.
struct Box {
    QByteArrayView type;
    QByteArrayView payload;
};

// The boxes one after another in `bytes`, until the bytes or a well-formed box end.
QList<Box> boxesIn(QByteArrayView bytes) {
    QList<Box> boxes;
    qint64 at = 0;
    while (at + kHeaderBytes <= bytes.size()) {
        const qint64 size = qFromBigEndian<quint32>(bytes.constData() + at);
        if (size < kHeaderBytes || at + size > bytes.size())
            break;
        boxes.append(
            {bytes.sliced(at + 4, 4), bytes.sliced(at + kHeaderBytes, size - kHeaderBytes)});
        at += size;
    }
    return boxes;
}

QByteArrayView child(QByteArrayView payload, const char* type) {
    for (const Box& box : boxesIn(payload))
        if (box.type == QByteArrayView(type))
            return box.payload;
    return {};
}

// The matrix of an 'mvhd' or 'tkhd' payload, whose matrix lies at an offset that depends on the
// box's version (64-bit times and duration in version 1).
std::optional<Matrix> matrixOf(QByteArrayView payload, int offsetV0, int offsetV1) {
    if (payload.isEmpty())
        return std::nullopt;
    const int offset = payload[0] == 1 ? offsetV1 : offsetV0;
    if (payload.size() < offset + 20)
        return std::nullopt;
    const auto at = [&](int index) {
        return qFromBigEndian<qint32>(payload.constData() + offset + 4 * index) / 65536.0;
    };
    return Matrix{at(0), at(1), at(3), at(4)};
}

bool isVideoTrack(QByteArrayView track) {
    const QByteArrayView handler = child(child(track, "mdia"), "hdlr");
    return handler.size() >= 12 && handler.sliced(8, 4) == "vide";
}

Matrix product(const Matrix& m, const Matrix& n) {
    return {m[0] * n[0] + m[1] * n[2], m[0] * n[1] + m[1] * n[3], m[2] * n[0] + m[3] * n[2],
            m[2] * n[1] + m[3] * n[3]};
}

// The clockwise turn the matrix makes, to the nearest degree, when it is a quarter turn without
// a mirror; 0 otherwise.
int quarterTurn(const Matrix& m) {
    const double determinant = m[0] * m[3] - m[1] * m[2];
    const double scaleX = std::hypot(m[0], m[2]), scaleY = std::hypot(m[1], m[3]);
    if (determinant <= 0 || scaleX == 0 || scaleY == 0)
        return 0;
    const double degrees = std::atan2(m[1] / scaleY, m[0] / scaleX) * 180 / std::numbers::pi;
    const int turn = (int(std::lround(degrees)) % 360 + 360) % 360;
    return turn % 90 == 0 ? turn : 0;
}

// Reads exactly `size` bytes at `offset`; false on a short read.
bool readAt(int fd, char* into, qint64 size, qint64 offset) {
    while (size > 0) {
        const ssize_t got = pread(fd, into, size_t(size), offset);
        if (got <= 0)
            return false;
        into += got, size -= got, offset += got;
    }
    return true;
}

// The payload of the top-level 'moov' box, found by stepping from box header to box header (the
// media data, gigabytes of it, is never read); empty when there is none to be found.
QByteArray movieBoxOf(int fd, qint64 fileSize) {
    qint64 at = 0;
    for (int box = 0; box < kTopLevelBoxLimit && at + kHeaderBytes <= fileSize; ++box) {
        char header[16];
        if (!readAt(fd, header, kHeaderBytes, at))
            return {};
        qint64 size = qFromBigEndian<quint32>(header);
        qint64 headerSize = kHeaderBytes;
        if (size == 1) { // a 64-bit size follows the type
            if (!readAt(fd, header + kHeaderBytes, 8, at + kHeaderBytes))
                return {};
            size = qFromBigEndian<qint64>(header + kHeaderBytes);
            headerSize += 8;
        } else if (size == 0) { // the box runs to the end of the file
            size = fileSize - at;
        }
        if (size < headerSize || size > fileSize - at)
            return {};
        if (QByteArray(header + 4, 4) == "moov") {
            if (size - headerSize > kMovieBoxLimit)
                return {};
            QByteArray payload(size - headerSize, Qt::Uninitialized);
            return readAt(fd, payload.data(), payload.size(), at + headerSize) ? payload
                                                                               : QByteArray();
        }
        at += size;
    }
    return {};
}

} // namespace

int rotationOfMovie(const QByteArray& movieBox) {
    const std::optional<Matrix> movie = matrixOf(child(movieBox, "mvhd"), 36, 48);
    for (const Box& box : boxesIn(movieBox)) {
        if (box.type != "trak" || !isVideoTrack(box.payload))
            continue;
        const std::optional<Matrix> track = matrixOf(child(box.payload, "tkhd"), 40, 52);
        return track ? quarterTurn(product(*track, movie.value_or(kIdentity))) : 0;
    }
    return 0;
}

int videoRotationOfFile(const QByteArray& path) {
    const int fd = open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return 0;
    struct stat status {};
    const bool regular = fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
    const QByteArray movie = regular ? movieBoxOf(fd, status.st_size) : QByteArray();
    close(fd);
    return rotationOfMovie(movie);
}
