#pragma once
// One sACN source on one universe, run by the output worker on its frame grid: a data
// packet at every changed frame and on the three frames after it, and 0.9 s after the last
// one while nothing changes (the standard asks for three more after a change and at most a
// second between keep-alives),
// a universe discovery packet every 10 s, and, when the stream ends, three packets with
// the Stream_Terminated option. Each data packet carries the next sequence number.
// Worker thread only.

#include "output/output_config.h"
#include "output/refresh_rule.h"
#include "output/sacn_packets.h"
#include "output/sacn_socket.h"

#include <cstdint>
#include <memory>
#include <vector>

class SacnSender {
public:
    static constexpr int64_t KeepAliveNs = 900 * 1000000LL;
    static constexpr int RepeatsAfterChange = 3;
    static constexpr int64_t DiscoveryIntervalNs = 10000 * 1000000LL;
    static constexpr int TerminationPackets = 3;

    // config has passed CheckSacnConfig; socket is not null.
    SacnSender(const SacnConfig& config, std::unique_ptr<SacnSocket> socket);

    // One frame at now (ns): the data packet when forced, when the slots changed, when the
    // stream is not running yet, on the frames that repeat a change, or when the keep-alive is
    // due (refresh_rule.h); the discovery packet when due.
    void Frame(const uint8_t* slots, int64_t now, int64_t frameNs, bool force = false);
    // The three terminating packets, with the slots last sent; the stream then stands
    // until the next Frame starts it again. Nothing when it is not running.
    void Terminate();
    bool Running() const { return running_; }
    // Multicast leaves by the interface of this address (network byte order) from now on,
    // the stream going on: the worker follows the network.
    void SetMulticastInterface(uint32_t interfaceAddress) { socket_->SetMulticastInterface(interfaceAddress); }

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
    RefreshRule refresh_{RepeatsAfterChange, KeepAliveNs};
    int64_t lastDiscovery_ = 0;
    int failed_ = 0;
    bool lastFailed_ = false;
};
