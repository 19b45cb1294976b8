// Any bytes as a "keyline" file: pairs of a key code and a command of 1 to 255 bytes without a
// line feed, and no more read than the pieces may take.
#include "KeyLineParser.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const char* data, size_t size) {
    const KeyLines lines = parseKeyLines(QByteArrayView(data, qsizetype(size)));
    bool sound = lines.bindings.size() % 2 == 0 && lines.consumed <= qsizetype(size) &&
                 lines.pieces <= KeyLines::kMaxPieces;
    for (qsizetype i = 1; sound && i < lines.bindings.size(); i += 2) {
        const QByteArray& command = lines.bindings[i];
        sound = !command.isEmpty() && command.size() <= 255 && !command.contains('\n');
    }
    if (!sound)
        std::abort();
    return 0;
}
