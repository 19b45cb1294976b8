#pragma once

#include <QByteArray>

// A media path as the player must see it to take it for a file: a path beginning with "-" would
// be read as an option ("-idle" would leave the player waiting for ever), so it is given as
// "./-idle", which names the same file. Every other path is returned unchanged, byte for byte.
QByteArray asFileArgument(const QByteArray& mediaPath);
