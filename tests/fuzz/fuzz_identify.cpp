// Any bytes as an identify run's output, read in pieces of any size as the probe reads a pipe
// (the first two bytes give the size): the result is that of the whole output read at once, and
// no text value is longer than one piece.
#include "IdentifyOutput.h"

#include <QByteArrayList>
#include <algorithm>
#include <cstdlib>

namespace {

QByteArrayList resultOf(const QByteArray& output, qsizetype readSize) {
    IdentifyOutput identify;
    for (qsizetype at = 0; at < output.size() && !identify.ended(); at += readSize)
        identify.feed(output.mid(at, readSize));
    identify.finish();
    const MediaInfo& info = identify.info();
    if (std::max({info.length().size(), info.fps().size(), info.demuxer().size()}) >=
        MediaInfo::kPieceBytes)
        std::abort();
    return {QByteArray::number(info.width()),
            QByteArray::number(info.height()),
            info.length(),
            QByteArray::number(info.bitrate()),
            info.fps(),
            info.demuxer()};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    const QByteArray output(reinterpret_cast<const char*>(data), qsizetype(size));
    if (size >= 2 && resultOf(output.mid(2), 1 + (data[0] << 8 | data[1]) % 4096) !=
                         resultOf(output.mid(2), output.size()))
        std::abort();
    return 0;
}
