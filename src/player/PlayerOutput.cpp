#include "PlayerOutput.h"

#include <optional>

namespace {

std::optional<double> secondsAfter(const QByteArray& line, const char* prefix) {
    if (!line.startsWith(prefix))
        return std::nullopt;
    bool number = false;
    const double seconds = line.mid(qstrlen(prefix)).trimmed().toDouble(&number);
    return number ? std::optional(seconds) : std::nullopt;
}

std::optional<PlayerReport> reportOf(const QByteArray& line) {
    if (const auto seconds = secondsAfter(line, "ANS_TIME_POSITION="))
        return PlayerReport{PlayerReport::Position, *seconds};
    if (const auto seconds = secondsAfter(line, "ANS_LENGTH="))
        return PlayerReport{PlayerReport::Length, *seconds};
    if (line == "ANS_path=(null)")
        return PlayerReport{PlayerReport::Idle};
    if (line.startsWith("ANS_path="))
        return PlayerReport{PlayerReport::Current};
    if (line.startsWith("File not found: "))
        return PlayerReport{PlayerReport::NotFound};
    return std::nullopt;
}

} // namespace

QList<PlayerReport> PlayerOutput::feed(const QByteArray& bytes) {
    QList<PlayerReport> reports;
    for (const char byte : bytes) {
        if (byte != '\n' && byte != '\r') {
            if (line_.size() < kLongestLine)
                line_ += byte;
            continue;
        }
        if (const auto report = reportOf(line_))
            reports << *report;
        line_.clear();
    }
    return reports;
}
