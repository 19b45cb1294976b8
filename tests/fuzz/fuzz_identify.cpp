// Any bytes as an identify run's output, read in pieces of any size as the probe reads a pipe
// (the first two bytes give the size): the result is that of the whole output read at once, and
// no text value is longer than one piece.
#include "IdentifyOutput.h"

#include <QByteArrayList>
#include <cstdlib>

namespace {

IdentifyOutput readInReads(const QByteArray& output, qsizetype readSize) {
    IdentifyOutput identify;
    for (qsizetype at = 0; at < output.size() && !identify.ended(); at += readSize)
        identify.feed(output.mid(at, readSize));
    identify.finish();
    return identify;
}

QByteArrayList fields(const MediaInfo& info) {
    return {QByteArray::number(info.width()),
            QByteArray::number(info.height()),
            info.length(),
            QByteArray::number(info.bitrate()),
            info.fps(),
            info.demuxer()};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    if (size < 2)
        return 0;
    const QByteArray output(reinterpret_cast<const char*>(data) + 2, qsizetype(size - 2));
    const QByteArrayList read =
        fields(readInReads(output, 1 + (data[0] << 8 | data[1]) % 4096).info());
    const QByteArrayList whole = fields(readInReads(output, output.size() + 1).info());
    const qsizetype longest = MediaInfo::kPieceBytes - 1;
    if (read != whole || read[2].size() > longest || read[4].size() > longest ||
        read[5].size() > longest)
        std::abort();
    return 0;
}
