// Recording ArtPollReply packets: the fields read, the marking rule, the 15-node limit
// and the list lines.
#include "artnet/node_table.h"

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

TEST(NodeTable, MarkingRule)
{
    struct Case {
        uint8_t type, swIn, swOut;
        int32_t outputUniverse;
        bool marked;
    } cases[] = {
        {0x80, 0x00, 0x12, 0x12, true},  // outputs our universe
        {0x81, 0x00, 0x12, 0x12, false}, // not DMX512
        {0x80, 0x00, 0x12, 0x13, false}, // another universe
        {0x40, 0x05, 0x00, 0x77, true},  // inputs the receive universe, whatever we send
        {0x40, 0x06, 0x00, 0x06, false}, // input switch compared with 5 only
        {0x00, 0x05, 0x12, 0x12, false}, // neither direction
        {0xC0, 0x00, 0x00, 0x00, true},  // output switch 0 and universe 0
    };
    for (const Case& c : cases) {
        NodeEntry e;
        e.portTypes[2] = c.type;
        e.swIn[2] = c.swIn;
        e.swOut[2] = c.swOut;
        EXPECT_EQ(IsMarked(e, c.outputUniverse, 5), c.marked)
            << "type " << int(c.type) << " in " << int(c.swIn) << " out " << int(c.swOut);
    }
}

TEST(NodeTable, FifteenNodesAtMostAndNoRefresh)
{
    DiscoveredNodes nodes;
    for (int i = 1; i <= 16; ++i) {
        NodeReply node;
        node.address = {2, 0, 0, uint8_t(i)};
        node.shortName = "N" + std::to_string(i);
        const Bytes r = ReplyBytes(node);
        EXPECT_EQ(nodes.Record(r.data(), r.size(), 0, 5), i <= 15) << i;
    }
    EXPECT_EQ(nodes.Count(), 15);

    // A known address with a new name keeps the old entry.
    NodeReply renamed;
    renamed.address = {2, 0, 0, 1};
    renamed.shortName = "Renamed";
    nodes.Clear();
    Bytes r = ReplyBytes(renamed);
    ASSERT_TRUE(nodes.Record(r.data(), r.size(), 0, 5));
    renamed.shortName = "Again";
    r = ReplyBytes(renamed);
    EXPECT_FALSE(nodes.Record(r.data(), r.size(), 0, 5));
    EXPECT_EQ(nodes.Entry(0)->shortName, "Renamed");
    EXPECT_FALSE(nodes.Entry(1));
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
    a.swOut = {0x35};
    NodeReply b;
    b.address = {192, 168, 100, 255};
    b.shortName = "";
    b.longName = "Only a long name";
    Bytes ra = ReplyBytes(a), rb = ReplyBytes(b);
    nodes.Record(ra.data(), ra.size(), 0x35, 5);
    EXPECT_TRUE(nodes.Changed());
    nodes.Record(rb.data(), rb.size(), 0x35, 5);

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
