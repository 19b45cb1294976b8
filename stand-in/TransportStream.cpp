#include "TransportStream.h"

namespace {

constexpr char kSyncByte = 0x47;
constexpr std::size_t kPackets = 7;

struct PacketLayout {
    std::size_t size;
    std::size_t syncOffset;
};

constexpr PacketLayout kLayouts[] = {{188, 0}, {192, 4}, {204, 0}};

bool syncsEvery(std::string_view head, PacketLayout layout) {
    if (head.size() < kPackets * layout.size)
        return false;
    for (std::size_t packet = 0; packet < kPackets; ++packet)
        if (head[packet * layout.size + layout.syncOffset] != kSyncByte)
            return false;
    return true;
}

} // namespace

bool isTransportStream(std::string_view head) {
    for (const PacketLayout& layout : kLayouts)
        if (syncsEvery(head, layout))
            return true;
    return false;
}
