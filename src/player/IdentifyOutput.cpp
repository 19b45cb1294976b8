#include "IdentifyOutput.h"

bool IdentifyOutput::feed(const QByteArray& bytes) {
    if (ended_)
        return true;
    pending_ += bytes;
    ended_ = applyPieces(false);
    return ended_;
}

void IdentifyOutput::finish() {
    if (!ended_)
        applyPieces(true);
    ended_ = true;
}

bool IdentifyOutput::applyPieces(bool atEnd) {
    const qsizetype longest = MediaInfo::kPieceBytes - 1;
    qsizetype start = 0;
    bool lastLine = false;
    while (!lastLine) {
        const qsizetype rest = pending_.size() - start;
        const qsizetype newline = pending_.indexOf('\n', start);
        qsizetype length = 0;
        if (newline >= 0 && newline - start < longest)
            length = newline - start + 1;
        else if (rest >= longest || (atEnd && rest > 0))
            length = qMin(rest, longest);
        else
            break;
        const char* bytes = pending_.constData() + start;
        const QByteArray piece(bytes, length);
        info_.parseLine(QByteArray(bytes, qsizetype(qstrnlen(bytes, size_t(length)))));
        lastLine = isLastLine(piece);
        atLineStart_ = piece.endsWith('\n');
        start += length;
    }
    pending_.remove(0, start);
    return lastLine;
}

bool IdentifyOutput::isLastLine(const QByteArray& piece) const {
    static const QByteArray prefix = "ID_EXIT=";
    if (!atLineStart_ || !piece.startsWith(prefix) || !piece.endsWith('\n'))
        return false;
    const QByteArray word = piece.mid(prefix.size(), piece.size() - prefix.size() - 1);
    return !word.isEmpty() &&
           std::all_of(word.begin(), word.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}
