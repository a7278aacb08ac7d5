#pragma once
// A simulated Art-Net node on the node side of the cable: it answers every ArtPoll with
// its reply, sent to 2.255.255.255:6454, and keeps every datagram it receives.

#include "artnet_test_packets.h"

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class SimNode {
public:
    SimNode(const std::string& ns, const NodeReply& reply);
    ~SimNode();
    bool Ready() const { return fd_ >= 0; }
    std::vector<Bytes> Received(uint16_t opCode) const;

private:
    void Run(int fd);

    Bytes reply_;
    int fd_ = -1;
    std::atomic<bool> stop_{false};
    mutable std::mutex lock_;
    std::vector<Bytes> received_;
    std::thread thread_;
};
