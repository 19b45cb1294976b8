#pragma once

#include "MediaInfo.h"

#include <QByteArray>

// The output of an identify run, taken as it comes. It is cut as fgets into a buffer of
// MediaInfo::kPieceBytes would cut it: a piece ends after a newline or where the buffer is full,
// and a NUL byte ends its text; each piece is applied to the clip's properties.
class IdentifyOutput {
public:
    // Applies what has come. True once the run's last line has come: "ID_EXIT=" and the
    // player's word for how it ended ("EOF", "QUIT", ...), as a whole line of its own. The same
    // text in the middle of a line, or with another value (as a file name may print it), is not
    // that line.
    bool feed(const QByteArray& bytes);
    // The output has ended: applies what is left.
    void finish();

    bool ended() const { return ended_; }
    const MediaInfo& info() const { return info_; }

private:
    bool applyPieces(bool atEnd);
    bool isLastLine(const QByteArray& piece) const;

    QByteArray pending_;
    bool atLineStart_ = true;
    bool ended_ = false;
    MediaInfo info_;
};
