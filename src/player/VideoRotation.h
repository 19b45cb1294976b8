#pragma once

#include <QByteArray>

// The stored rotation of a clip's video: how many degrees clockwise (0, 90, 180 or 270) its
// pictures must be turned to stand upright, as phones record a portrait clip in landscape and
// say so in the display matrix of the video track's header (MP4, MOV, 3GP). MPlayer neither
// reports nor applies it.

// From the payload of a 'moov' box (what follows its 8-byte header): the first video track's
// matrix combined with the movie's, as players apply them. 0 for anything else: no video
// track, a matrix that is not a quarter turn (mirrored, skewed), truncated or malformed boxes.
int rotationOfMovie(const QByteArray& movieBox);

// The rotation of the clip at this path, read from its 'moov' box; 0 for a file that is not an
// ISO media file, or not a regular file (a FIFO is never waited on).
int videoRotationOfFile(const QByteArray& path);
