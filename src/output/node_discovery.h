#pragma once
// Finding Art-Net nodes: the ArtPoll sent every 2 s, this program's own ArtPollReply (its
// names and announced address), the answer to a poll, and the table of the nodes that reply,
// from which a node silent for three poll periods is dropped. The output worker sends what
// this makes, where its route says; the user interface reads the table.

#include "common/translation.h"
#include "output/artnet_packets.h"
#include "output/node_table.h"

#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>

class NodeDiscovery {
public:
    static constexpr int64_t PollIntervalNs = 2000 * 1000000LL;
    static constexpr int SilentPolls = 3; // a node not heard for this many poll periods is gone
    static constexpr int32_t ReceiveUniverse = 5; // the input universe that marks a node

    NodeDiscovery();

    void SetNames(std::string_view shortName, std::string_view longName);
    void SetLocalAddress(uint32_t address); // host byte order
    const PollPacket& Poll() const { return poll_; }
    // A copy of the reply packet as it stands, taken under its lock.
    ReplyPacket Reply() const;

    enum class Answer { None, Reply };
    // One received datagram at now (ns): a poll wants the reply sent; a reply from another
    // node (not carrying this program's short name) enters the table.
    Answer Handle(const uint8_t* data, size_t size, int32_t outputUniverse, int64_t now);

    // Whether a poll is due at now; when it is, the next one counts from now and silent
    // nodes are dropped.
    bool PollDue(int64_t now);
    // The periodic polls count from now (the owner has just polled).
    void PolledAt(int64_t now) { lastPoll_ = now; }
    int64_t NextPoll() const { return lastPoll_ + PollIntervalNs; }

    DiscoveredNodes& Nodes() { return nodes_; }
    const DiscoveredNodes& Nodes() const { return nodes_; }

private:
    const PollPacket poll_ = BuildPollPacket();
    mutable std::mutex replyLock_; // the reply packet and the own short name
    ReplyPacket reply_;
    std::string ownShortName_;
    DiscoveredNodes nodes_;
    int64_t lastPoll_ = 0;
};
