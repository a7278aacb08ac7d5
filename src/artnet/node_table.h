#pragma once
// The Art-Net nodes that answered a poll. The worker thread records replies; the user
// interface reads, lists and clears the table. One lock guards it, so a listed line and a
// copied entry always come from one complete reply.

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
    uint8_t numberOfPorts = 0;
    std::array<uint8_t, 4> portTypes{}; // bit 7 output, bit 6 input, bits 0-5 protocol
    std::array<uint8_t, 4> swIn{};
    std::array<uint8_t, 4> swOut{};
    bool marked = false;
};

// Reads the fields of an ArtPollReply; bytes beyond the datagram's end read as 0.
NodeEntry ReadPollReply(const uint8_t* data, size_t size);

// True when a port of the node speaks DMX512 and outputs outputUniverse or inputs
// receiveUniverse.
bool IsMarked(const NodeEntry& node, int32_t outputUniverse, int32_t receiveUniverse);

// True when a DMX512 output port of the node carries outputUniverse.
bool OutputsUniverse(const NodeEntry& node, int32_t outputUniverse);

// "*" or " ", the address as "%3u.%3u.%3u.%3u : ", then the short name (the long name
// when the short name is empty).
std::string NodeListLine(const NodeEntry& node);

class DiscoveredNodes {
public:
    static constexpr int Capacity = 16;
    static constexpr int MaxNodes = 15; // one slot is never used

    // Records a reply from an unknown address while fewer than 15 nodes are known; the
    // mark is decided now. Returns true when an entry was added.
    bool Record(const uint8_t* data, size_t size, int32_t outputUniverse, int32_t receiveUniverse);

    int Count() const;
    bool Changed() const;
    void SetChanged();
    void Clear(); // a scan: the table empties, the list is to be rebuilt
    std::optional<NodeEntry> Entry(int index) const;
    // The addresses (host byte order) of the nodes that output outputUniverse, in the
    // order they answered; returns how many. Allocates nothing: the worker asks per frame.
    int OutputAddresses(int32_t outputUniverse, std::array<uint32_t, Capacity>& addresses) const;

    // Replaces lines with one line per node, clears the changed flag, returns the count.
    int Fill(std::vector<std::string>& lines);

private:
    mutable std::mutex lock_;
    std::array<NodeEntry, Capacity> entries_;
    int count_ = 0;
    bool changed_ = false;
};
