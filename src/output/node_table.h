#pragma once
// The Art-Net nodes that answered a poll. An Art-Net 4 node with several port groups
// answers once per group (its BindIndex), so an entry is one group of one node: address and
// bind index together are its key. Every reply refreshes its entry; an entry not heard from
// for a while is dropped by Expire. The worker thread records replies and expires entries;
// the user interface reads, lists and clears the table. One lock guards it, so a listed line
// and a copied entry always come from one complete reply.

#include "output/network_interfaces.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

struct NodeEntry {
    std::array<uint8_t, 4> address{}; // first octet first
    uint16_t port = 0;                // as received, low byte first
    std::string shortName;            // at most 17 bytes
    std::string longName;             // at most 63 bytes
    std::string nodeReport;           // at most 63 bytes
    uint8_t numberOfPorts = 0;        // 4 when the reply claims more
    uint8_t netSwitch = 0;            // bits 14-8 of every port's Port-Address
    uint8_t subSwitch = 0;            // bits 7-4
    uint8_t bindIndex = 0;            // 0 or 1 for a node of one port group
    std::array<uint8_t, 4> portTypes{}; // bit 7 output, bit 6 input, bits 0-5 protocol
    std::array<uint8_t, 4> swIn{};      // bits 3-0 of each input's Port-Address
    std::array<uint8_t, 4> swOut{};     // bits 3-0 of each output's Port-Address
    bool marked = false;
    int64_t heardNs = 0; // when the latest reply came
};

// Reads the fields of an ArtPollReply; bytes beyond the datagram's end read as 0.
NodeEntry ReadPollReply(const uint8_t* data, size_t size);

// The 15-bit Port-Address of a port whose switch is sw.
int32_t PortAddressOf(const NodeEntry& node, uint8_t sw);

// True when a DMX512 port among the node's first min(4, ports) outputs outputUniverse or
// inputs receiveUniverse (full Port-Addresses).
bool IsMarked(const NodeEntry& node, int32_t outputUniverse, int32_t receiveUniverse);

// True when a DMX512 output port of the node carries outputUniverse.
bool OutputsUniverse(const NodeEntry& node, int32_t outputUniverse);

// The node's address in host byte order.
uint32_t NodeAddress(const NodeEntry& node);

// "*" or " ", the address as "%3u.%3u.%3u.%3u : ", then the short name (the long name
// when the short name is empty), then " [n]" for the port groups after the first.
std::string NodeListLine(const NodeEntry& node);

class DiscoveredNodes {
public:
    // Far more than a rig has, little enough that a flood of forged replies stays small.
    static constexpr int MaxNodes = 1024;

    // Records or refreshes the entry of the reply's node and port group at now (ns); the mark
    // is decided now. A new entry is refused while the table is full. Returns true when the
    // list changed.
    bool Record(const uint8_t* data, size_t size, int32_t outputUniverse, int32_t receiveUniverse, int64_t now);
    // Drops the entries last heard before the given time; true when any was dropped.
    bool Expire(int64_t heardBefore);

    int Count() const;
    bool Changed() const;
    void SetChanged();
    void Clear(); // a scan: the table empties, the list is to be rebuilt
    std::optional<NodeEntry> Entry(int index) const;
    // The addresses (host byte order) of the nodes that output outputUniverse and lie in one
    // of subnets, each once, in the order they answered. addresses keeps its capacity: the
    // worker asks every frame and allocates nothing once it has reserved MaxNodes.
    void OutputAddresses(int32_t outputUniverse, const std::vector<InterfaceAddress>& subnets,
                         std::vector<uint32_t>& addresses) const;

    // Replaces lines with one line per node, clears the changed flag, returns the count.
    int Fill(std::vector<std::string>& lines);

private:
    mutable std::mutex lock_;
    std::vector<NodeEntry> entries_;
    bool changed_ = false;
};
