#pragma once

// A media path as the player must see it to take it for a file: a path beginning with "-" would
// be read as an option ("-idle" would leave the player waiting for ever), and "{" and "}" alone
// as the bounds of a playlist group, so they are given as "./-idle", "./{" and "./}", which name
// the same files. Every other path is returned unchanged, byte for byte.
template <typename Bytes> Bytes asFileArgument(const Bytes& mediaPath) {
    const bool groupBound = mediaPath == Bytes("{") || mediaPath == Bytes("}");
    return groupBound || (mediaPath.size() > 0 && mediaPath[0] == '-') ? Bytes("./") + mediaPath
                                                                       : mediaPath;
}
