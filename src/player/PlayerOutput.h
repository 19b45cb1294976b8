#pragma once

#include <QByteArray>
#include <QList>

// Something the playing player said that the program acts on.
struct PlayerReport {
    enum Kind {
        Position, // "ANS_TIME_POSITION=": seconds played
        Length,   // "ANS_LENGTH=": the clip's length in seconds
        Current,  // "ANS_path=" with a path: a clip is open
        Idle,     // "ANS_path=(null)": no clip is open, after the end or a failed open
        NotFound, // "File not found: ...": the file to open is not there
    };
    Kind kind;
    double seconds = 0;

    bool operator==(const PlayerReport&) const = default;
};

// The player's standard output, taken as it comes and cut into lines ('\n' or '\r' ends one).
// A line longer than kLongestLine is judged by its first kLongestLine bytes.
class PlayerOutput {
public:
    static constexpr qsizetype kLongestLine = 4096;

    QList<PlayerReport> feed(const QByteArray& bytes);

private:
    QByteArray line_;
};
