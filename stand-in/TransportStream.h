#pragma once

#include <cstddef>
#include <string_view>

// How many bytes from a file's start isTransportStream needs to see.
constexpr std::size_t kTransportStreamHeadBytes = 7 * 204;

// Whether a file that begins with these bytes is an MPEG transport stream: a sync byte (0x47) at
// the start of each of its first seven packets, for any of the packet layouts in use (188 bytes;
// 192 with a 4-byte time code ahead, as camcorders write; 204 with error correction). Random
// data passes with a chance of 2^-56; a head shorter than seven packets never does.
bool isTransportStream(std::string_view head);
