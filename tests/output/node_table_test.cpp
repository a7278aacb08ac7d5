// Recording ArtPollReply packets: the fields read, the marking rule on full Port-Addresses,
// port groups, refreshing, ageing, the bound on the table, unicast's reach and the list lines.
#include "output/node_discovery.h"
#include "output/node_table.h"

#include "artnet_test_packets.h"

#include <gtest/gtest.h>

namespace {

TEST(NodeTable, ReadsTheRepliesFields)
{
    NodeReply node;
    node.address = {2, 0, 0, 10};
    node.shortName = "Node A";
    node.longName = "A long name";
    node.report = "#0001 [0001] fine";
    node.ports = 3;
    node.net = 0x11;
    node.sub = 0x0C;
    node.bindIndex = 2;
    node.portTypes = {0x80, 0x40, 0xC0, 0x05};
    node.swIn = {1, 2, 3, 4};
    node.swOut = {5, 6, 7, 8};
    const Bytes r = ReplyBytes(node);
    const NodeEntry e = ReadPollReply(r.data(), r.size());
    EXPECT_EQ(e.address, (std::array<uint8_t, 4>{2, 0, 0, 10}));
    EXPECT_EQ(e.port, 6454);
    EXPECT_EQ(e.shortName, "Node A");
    EXPECT_EQ(e.longName, "A long name");
    EXPECT_EQ(e.nodeReport, "#0001 [0001] fine");
    EXPECT_EQ(e.numberOfPorts, 3);
    EXPECT_EQ(e.netSwitch, 0x11);
    EXPECT_EQ(e.subSwitch, 0x0C);
    EXPECT_EQ(e.bindIndex, 2);
    EXPECT_EQ(PortAddressOf(e, e.swOut[0]), 0x11C5);
    EXPECT_EQ(e.portTypes, (std::array<uint8_t, 4>{0x80, 0x40, 0xC0, 0x05}));
    EXPECT_EQ(e.swIn, (std::array<uint8_t, 4>{1, 2, 3, 4}));
    EXPECT_EQ(e.swOut, (std::array<uint8_t, 4>{5, 6, 7, 8}));
}

TEST(NodeTable, ShortReplyReadsZeroFilled)
{
    NodeReply node;
    node.longName = "cut off here";
    node.portTypes = {0x80, 0x80, 0x80, 0x80};
    node.swOut = {9, 9, 9, 9};
    const Bytes r = ReplyBytes(node);
    const NodeEntry e = ReadPollReply(r.data(), 50); // ends inside the long name
    EXPECT_EQ(e.shortName, node.shortName);
    EXPECT_EQ(e.longName, "cut of");
    EXPECT_EQ(e.nodeReport, "");
    EXPECT_EQ(e.numberOfPorts, 0);
    EXPECT_EQ(e.portTypes, (std::array<uint8_t, 4>{}));
    EXPECT_EQ(e.swOut, (std::array<uint8_t, 4>{}));
}

// The full 15-bit Port-Address of Art-Net 4 (Net, Sub-Net, the low nibble of the switch),
// over the ports the node says it has.
TEST(NodeTable, MarkingRule)
{
    struct Case {
        uint8_t net, sub, ports, type, swIn, swOut;
        int32_t outputUniverse;
        bool marked;
    } cases[] = {
        {0, 1, 3, 0x80, 0x00, 0x02, 0x12, true},    // outputs our universe
        {1, 2, 3, 0x80, 0x00, 0x05, 0x125, true},   // Net 1, Sub-Net 2, Universe 5
        {0, 2, 3, 0x80, 0x00, 0x05, 0x125, false},  // the same on Net 0
        {0, 0, 3, 0x80, 0x00, 0x12, 0x12, false},   // a switch's high nibble is no sub-net
        {0, 1, 3, 0x81, 0x00, 0x02, 0x12, false},   // not DMX512
        {0, 1, 3, 0x80, 0x00, 0x02, 0x13, false},   // another universe
        {0, 0, 3, 0x40, 0x05, 0x00, 0x77, true},    // inputs the receive universe, whatever we send
        {0, 0, 3, 0x40, 0x06, 0x00, 0x06, false},   // input switch compared with 5 only
        {0, 1, 3, 0x00, 0x05, 0x02, 0x12, false},   // neither direction
        {0, 0, 3, 0xC0, 0x00, 0x00, 0x00, true},    // output switch 0 and universe 0
        {0, 1, 2, 0x80, 0x00, 0x02, 0x12, false},   // the port lies beyond the node's two
    };
    for (const Case& c : cases) {
        NodeEntry e;
        e.netSwitch = c.net;
        e.subSwitch = c.sub;
        e.numberOfPorts = c.ports;
        e.portTypes[2] = c.type;
        e.swIn[2] = c.swIn;
        e.swOut[2] = c.swOut;
        EXPECT_EQ(IsMarked(e, c.outputUniverse, 5), c.marked)
            << "type " << int(c.type) << " in " << int(c.swIn) << " out " << int(c.swOut) << " universe "
            << c.outputUniverse;
    }
}

Bytes Reply(uint8_t last, uint8_t bindIndex, uint8_t universe, const std::string& name = "Node")
{
    NodeReply node;
    node.address = {198, 18, 0, last};
    node.shortName = name;
    node.bindIndex = bindIndex;
    node.portTypes = {0x80};
    node.swOut = {universe};
    return ReplyBytes(node);
}

// One entry per port group; every reply refreshes its entry; unicast reaches each address
// once, and only inside the output interface's subnets; a node silent for three poll
// periods is dropped when the next poll goes out.
TEST(NodeTable, PortGroupsRefreshAgeingAndReach)
{
    NodeDiscovery discovery;
    DiscoveredNodes& nodes = discovery.Nodes();
    const std::vector<InterfaceAddress> lan{{0xC6120001u, 15, 0xC613FFFFu}}; // 198.18.0.1/15
    std::vector<uint32_t> to;
    to.reserve(DiscoveredNodes::MaxNodes);
    auto handle = [&](const Bytes& r, int64_t at) { discovery.Handle(r.data(), r.size(), 1, at); };

    handle(Reply(2, 1, 0), 0);
    handle(Reply(2, 2, 1), 0);
    handle(Reply(2, 0, 0), 0); // bind index 0 is the first group of an older node
    EXPECT_EQ(nodes.Count(), 2);
    nodes.OutputAddresses(1, lan, to);
    EXPECT_EQ(to, std::vector<uint32_t>{0xC6120002u}) << "the second group outputs universe 1";
    handle(Reply(2, 1, 1), 0);
    nodes.OutputAddresses(1, lan, to);
    EXPECT_EQ(to, std::vector<uint32_t>{0xC6120002u}) << "two groups on the universe: one send";

    // A new name is listed at once.
    std::vector<std::string> lines;
    nodes.Fill(lines);
    handle(Reply(2, 2, 1, "Renamed"), 0);
    EXPECT_TRUE(nodes.Changed());
    nodes.Fill(lines);
    EXPECT_EQ(lines, (std::vector<std::string>{"*198. 18.  0.  2 : Node", "*198. 18.  0.  2 : Renamed [2]"}));
    handle(Reply(2, 2, 1, "Renamed"), 0);
    EXPECT_FALSE(nodes.Changed()) << "the same reply again changes no line";

    // A reply that points DMX outside the LAN is listed but never sent to.
    NodeReply far;
    far.address = {203, 0, 113, 5};
    far.portTypes = {0x80};
    far.swOut = {1};
    handle(ReplyBytes(far), 0);
    EXPECT_EQ(nodes.Count(), 3);
    nodes.OutputAddresses(1, lan, to);
    EXPECT_EQ(to, std::vector<uint32_t>{0xC6120002u});

    // Polls at 2 s steps: the far node keeps answering, the other goes silent after 1 s.
    const int64_t s = 1000000000;
    discovery.PolledAt(0);
    handle(Reply(2, 1, 1), 1 * s);
    handle(Reply(2, 2, 1, "Renamed"), 1 * s);
    for (int64_t t = 2 * s; t <= 8 * s; t += 2 * s) {
        handle(ReplyBytes(far), t - s / 2);
        EXPECT_TRUE(discovery.PollDue(t));
        EXPECT_FALSE(discovery.PollDue(t + s));
        EXPECT_EQ(nodes.Count(), t <= 6 * s ? 3 : 1) << "at " << t / s << " s";
    }
    EXPECT_EQ(nodes.Entry(0)->address, (std::array<uint8_t, 4>{203, 0, 113, 5}));
}

// A flood of forged replies from ever new addresses stays within the table's bound, and a
// node known before it is still refreshed.
TEST(NodeTable, BoundedAgainstAFlood)
{
    DiscoveredNodes nodes;
    const Bytes known = Reply(1, 0, 0);
    EXPECT_TRUE(nodes.Record(known.data(), known.size(), 0, 5, 0));
    for (int i = 0; i < 3 * DiscoveredNodes::MaxNodes; ++i) {
        NodeReply forged;
        forged.address = {10, uint8_t(i >> 16), uint8_t(i >> 8), uint8_t(i)};
        const Bytes r = ReplyBytes(forged);
        nodes.Record(r.data(), r.size(), 0, 5, 0);
    }
    EXPECT_EQ(nodes.Count(), DiscoveredNodes::MaxNodes);
    const Bytes renamed = Reply(1, 0, 0, "Still here");
    nodes.Record(renamed.data(), renamed.size(), 0, 5, 10);
    EXPECT_EQ(nodes.Entry(0)->shortName, "Still here");
    EXPECT_TRUE(nodes.Expire(5));
    EXPECT_EQ(nodes.Count(), 1);
}

TEST(NodeTable, ListLinesAndChangedFlag)
{
    DiscoveredNodes nodes;
    std::vector<std::string> lines{"stale"};
    EXPECT_EQ(nodes.Fill(lines), 0);
    EXPECT_TRUE(lines.empty());

    NodeReply a;
    a.address = {2, 0, 0, 10};
    a.shortName = "Stage left";
    a.portTypes = {0x80};
    a.sub = 3;
    a.swOut = {0x05};
    NodeReply b;
    b.address = {192, 168, 100, 255};
    b.shortName = "";
    b.longName = "Only a long name";
    Bytes ra = ReplyBytes(a), rb = ReplyBytes(b);
    nodes.Record(ra.data(), ra.size(), 0x35, 5, 0);
    EXPECT_TRUE(nodes.Changed());
    nodes.Record(rb.data(), rb.size(), 0x35, 5, 0);

    EXPECT_EQ(nodes.Fill(lines), 2);
    EXPECT_FALSE(nodes.Changed());
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "*  2.  0.  0. 10 : Stage left");
    EXPECT_EQ(lines[1], " 192.168.100.255 : Only a long name");

    nodes.Clear();
    EXPECT_EQ(nodes.Count(), 0);
    EXPECT_EQ(nodes.Fill(lines), 0);
    EXPECT_TRUE(lines.empty());
}

} // namespace
