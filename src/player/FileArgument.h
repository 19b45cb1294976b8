#pragma once

// A media path as the player must see it to take it for a file: a path beginning with "-" would
// be read as an option ("-idle" would leave the player waiting for ever), so it is given as
// "./-idle", which names the same file. Every other path is returned unchanged, byte for byte.
template <typename Bytes> Bytes asFileArgument(const Bytes& mediaPath) {
    return mediaPath.size() > 0 && mediaPath[0] == '-' ? Bytes("./") + mediaPath : mediaPath;
}
