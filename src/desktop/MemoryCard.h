#pragma once

#include <QString>

// The handset's memory card, where the file picker starts. On the desktop it is the directory
// given with the application's -card option; without one, "/mmc/mmca1/" when that exists, else
// the desktop's videos folder when it exists, else the home folder.
namespace MemoryCard {

void setPath(const QString& directory);
QString path();

} // namespace MemoryCard
