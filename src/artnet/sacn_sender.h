#pragma once
// One sACN source on one universe, run by the Art-Net worker on its frame grid: a data
// packet at every changed frame and at most about a second apart while nothing changes,
// a universe discovery packet every 10 s, and, when the stream ends, three packets with
// the Stream_Terminated option. Each data packet carries the next sequence number.
// Worker thread only.

#include "artnet/output_config.h"
#include "artnet/sacn_packets.h"
#include "artnet/sacn_socket.h"

#include <cstdint>
#include <memory>
#include <vector>

class SacnSender {
public:
    static constexpr int64_t KeepAliveNs = 1000 * 1000000LL;
    static constexpr int64_t DiscoveryIntervalNs = 10000 * 1000000LL;
    static constexpr int TerminationPackets = 3;

    // config has passed CheckSacnConfig; socket is not null.
    SacnSender(const SacnConfig& config, std::unique_ptr<SacnSocket> socket);

    // One frame at now (ns): the data packet when forced, when the slots changed, when the
    // stream is not running yet or the keep-alive is due (less early, half a frame of
    // frameNs, so it stays on the grid); the discovery packet when due.
    void Frame(const uint8_t* slots, int64_t now, int64_t frameNs, bool force = false);
    // The three terminating packets, with the slots last sent; the stream then stands
    // until the next Frame starts it again. Nothing when it is not running.
    void Terminate();
    bool Running() const { return running_; }

    // Sends that failed since the last call, and whether the latest one did; the owner
    // counts them.
    int TakeFailed();
    bool LastFailed() const { return lastFailed_; }

private:
    void SendData();
    void Send(uint32_t address, const uint8_t* data, size_t size);

    std::unique_ptr<SacnSocket> socket_;
    std::vector<uint32_t> destinations_; // host byte order
    std::vector<uint32_t> discoveryDestinations_;
    SacnDataPacket data_;
    SacnDiscoveryPacket discovery_;
    uint8_t sequence_ = 0;
    bool running_ = false;
    int64_t lastData_ = 0;
    int64_t lastDiscovery_ = 0;
    int failed_ = 0;
    bool lastFailed_ = false;
};
