#pragma once

#include <QByteArrayList>
#include <QByteArrayView>

// The bindings in the bytes of a key binding file, "code=command" lines, read as "%d=%[^\n]" reads
// them from pieces of at most 255 bytes (a longer line is read in pieces, each parsed as a line,
// and a piece ends at its first NUL byte), up to kMaxPieces pieces.
struct KeyLines {
    // A keypad has a few dozen keys; the cap keeps a huge or endless file from holding up
    // start-up or filling memory.
    static constexpr int kMaxPieces = 1024;
    static constexpr int kMaxPiece = 255;

    // Flat: key text, command, key text, command, ... in file order.
    QByteArrayList bindings;
    int pieces = 0;
    // The bytes the pieces read took.
    qsizetype consumed = 0;
};

KeyLines parseKeyLines(QByteArrayView bytes);
