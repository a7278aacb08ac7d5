#pragma once
// The ArtDmx side of a frame, run by the output worker on its frame grid: the frame goes out
// when it changed since the last send, when forced, and as a keep-alive at most 1.5 s after
// the last send; to every destination the worker names. Its data area is the last frame
// sent. Worker thread only.

#include "output/artnet_packets.h"
#include "output/artnet_socket.h"
#include "output/refresh_rule.h"

#include <cstdint>
#include <vector>

struct ArtnetTarget {
    uint32_t address = 0;        // host byte order
    uint32_t interfaceIndex = 0; // for a broadcast: the interface it leaves by
};

class ArtnetSender {
public:
    static constexpr int64_t KeepAliveNs = 1500 * 1000000LL;

    ArtnetSender();

    // One frame at now (ns) with the Port-Address universe. Returns the bytes sent, 0 when
    // nothing was due or there is no target, -1 when every send failed; failures are counted.
    long Frame(const uint8_t* slots, int32_t universe, int64_t now, int64_t frameNs, bool force,
               const std::vector<ArtnetTarget>& targets, ArtnetSocket& socket);

    int TakeFailed();
    bool LastFailed() const { return lastFailed_; }

private:
    DmxPacket packet_;
    RefreshRule refresh_{0, KeepAliveNs};
    int failed_ = 0;
    bool lastFailed_ = false;
};
