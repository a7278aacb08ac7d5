#pragma once
// A simulated Art-Net node on the node side of the cable: it answers every ArtPoll with
// its replies (one per port group), sent to a broadcast address, and keeps every datagram it
// receives with the address it was sent to.

#include "artnet_test_packets.h"

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class SimNode {
public:
    SimNode(const std::string& ns, const NodeReply& reply) : SimNode(ns, std::vector<NodeReply>{reply}) {}
    SimNode(const std::string& ns, const std::vector<NodeReply>& replies, const char* replyTo = "2.255.255.255");
    ~SimNode();
    bool Ready() const { return fd_ >= 0; }
    std::vector<Bytes> Received(uint16_t opCode) const;
    // The destination addresses (dotted) of the datagrams of opCode, in order.
    std::vector<std::string> ReceivedTo(uint16_t opCode) const;

private:
    void Run(int fd);

    std::vector<Bytes> replies_;
    std::string replyTo_;
    int fd_ = -1;
    std::atomic<bool> stop_{false};
    mutable std::mutex lock_;
    std::vector<std::pair<Bytes, std::string>> received_;
    std::thread thread_;
};
