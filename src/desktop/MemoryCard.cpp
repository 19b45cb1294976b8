#include "MemoryCard.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace MemoryCard {
namespace {

QString chosen;

} // namespace

void setPath(const QString& directory) {
    chosen = directory;
}

QString path() {
    if (!chosen.isEmpty())
        return chosen;
    const QString handsetCard = QStringLiteral("/mmc/mmca1/");
    if (QFileInfo(handsetCard).isDir())
        return handsetCard;
    const QString videos = QStandardPaths::writableLocation(QStandardPaths::MoviesLocation);
    if (!videos.isEmpty() && QFileInfo(videos).isDir())
        return videos;
    return QDir::homePath();
}

} // namespace MemoryCard
