#include "output/artnet_sender.h"

#include <algorithm>
#include <utility>

ArtnetSender::ArtnetSender() : packet_(BuildDmxPacket(0)) {}

long ArtnetSender::Frame(const uint8_t* slots, int32_t universe, int64_t now, int64_t frameNs, bool force,
                         const std::vector<ArtnetTarget>& targets, ArtnetSocket& socket)
{
    if (targets.empty())
        return 0;
    uint8_t* data = packet_.data() + DmxHeaderSize;
    const bool changed = force || !std::equal(slots, slots + DmxDataSize, data);
    if (!refresh_.Due(changed, now, frameNs))
        return 0;
    SetDmxPortAddress(packet_, universe);
    std::copy(slots, slots + DmxDataSize, data);
    refresh_.Sent(now);
    long sent = -1;
    for (const ArtnetTarget& to : targets) {
        const long n = socket.SendTo(to.address, to.interfaceIndex, packet_.data(), packet_.size());
        lastFailed_ = n < 0;
        failed_ += lastFailed_ ? 1 : 0;
        if (n >= 0)
            sent = std::max(sent, 0L) + n;
    }
    return sent;
}

int ArtnetSender::TakeFailed() { return std::exchange(failed_, 0); }
