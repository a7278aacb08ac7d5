// OutputWorker's rules without a network: set-up and clean-up of the address, the send
// rules, the receiving rules, and the running loop with the user interface acting on it.
#include "output/output_worker.h"

#include "artnet_test_packets.h"
#include "fake_network.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

// The automatic rule on the networks people have, as a table: which interface, which
// broadcast, which announced address, and whether 2.b.c.d is added.
TEST(ArtnetRoute, FollowsTheRule)
{
    const NetworkInterface lo = UpInterface(1, "lo", {"127.0.0.1/8"});
    const NetworkInterface lan = UpInterface(2, "eth0", {"198.18.0.10/15"});
    const NetworkInterface wifi = UpInterface(3, "wlan0", {"198.20.5.7/24"});
    const NetworkInterface two = UpInterface(4, "eth1", {"2.3.4.5/8"});
    NetworkInterface down = UpInterface(5, "eth2", {"198.22.0.1/24"});
    down.up = false;
    struct Case {
        const char* name;
        std::optional<NetworkSnapshot> net;
        std::string chosen;
        bool mayAdd;
        const char* broadcast; // "" without a network
        const char* announced;
        uint32_t interfaceIndex;
        bool adds;
    } cases[] = {
        {"a LAN, as a user", Network({lan, lo}, true), "", false, "198.19.255.255", "198.18.0.10", 2, false},
        {"a LAN, as root", Network({lan, lo}, true), "", true, "2.255.255.255", "2.18.0.10", 2, true},
        {"a 2.x address anywhere wins", Network({lan, two}, true), "", false, "2.255.255.255", "2.3.4.5", 4, false},
        {"the default route's interface first", Network({wifi, lan}, false), "", false, "198.20.5.255", "198.20.5.7", 3, false},
        {"the chosen interface", Network({lan, wifi, two}, true), "wlan0", false, "198.20.5.255", "198.20.5.7", 3, false},
        {"the chosen interface, as root", Network({lan, wifi}, true), "wlan0", true, "2.255.255.255", "2.20.5.7", 3, true},
        {"a chosen interface that is missing", Network({lan}, true), "eth9", false, "", "127.0.0.1", 0, false},
        {"a chosen interface that is down", Network({down, lan}, true), "eth2", false, "", "127.0.0.1", 0, false},
        {"loopback only", Network({lo}), "", true, "", "127.0.0.1", 0, false},
        {"down interfaces are passed over", Network({down, lan}), "", false, "198.19.255.255", "198.18.0.10", 2, false},
        {"no table", std::nullopt, "", true, "", "127.0.0.1", 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ArtnetRoute route = ChooseArtnetRoute(c.net, c.chosen, c.mayAdd);
        EXPECT_EQ(route.network, *c.broadcast != 0);
        EXPECT_EQ(route.broadcast, *c.broadcast ? HostIp(c.broadcast) : 0u);
        EXPECT_EQ(route.localAddress, HostIp(c.announced));
        EXPECT_EQ(route.interfaceIndex, c.interfaceIndex);
        EXPECT_EQ(route.addTwoNet, c.adds);
    }
    // An address without a broadcast of its own: the subnet's highest, or for a point-to-point
    // /32 the limited broadcast.
    EXPECT_EQ(BroadcastOf({HostIp("10.1.2.3"), 16, 0}), HostIp("10.1.255.255"));
    EXPECT_EQ(BroadcastOf({HostIp("10.1.2.3"), 32, 0}), LimitedBroadcast);
}

// Set-up as the route says, the added address removed at the end; an add that fails falls
// back to the LAN's own broadcast and is said once.
TEST(ArtnetSetup, AddsWhereTheRuleSaysAndCleansUp)
{
    for (const bool mayAdd : {false, true}) {
        SCOPED_TRACE(mayAdd ? "may add" : "may not add");
        FakeNetwork net;
        net.network = Network({UpInterface(2, "eth0", {"198.18.0.10/15"})}, true);
        net.mayAdd = mayAdd;
        {
            OutputWorker thread(net.Platform());
            EXPECT_EQ(thread.LocalAddressText(), mayAdd ? "2.18.0.10" : "198.18.0.10");
            EXPECT_TRUE(thread.InitError().empty());
            EXPECT_TRUE(thread.SocketReady());
            EXPECT_TRUE(thread.NetworkUp());
            EXPECT_EQ(thread.DestinationText(), mayAdd ? "2.255.255.255 (eth0)" : "198.19.255.255 (eth0)");
            EXPECT_EQ(thread.AddressContext(), mayAdd ? 2u : 0u);
            ASSERT_EQ(net.added.size(), mayAdd ? 1u : 0u);
            if (mayAdd) {
                EXPECT_EQ(net.added[0].address, Ip("2.18.0.10"));
            }
            // The reply announces the chosen address, and goes where the frames go.
            thread.SendPollReply();
            const FakeNetwork::Addressed reply = net.SentTo().at(0);
            EXPECT_EQ(reply.address, mayAdd ? TwoNetBroadcast : HostIp("198.19.255.255"));
            EXPECT_EQ(reply.interfaceIndex, 2u);
            EXPECT_EQ(reply.bytes[10], mayAdd ? 2 : 198);
            EXPECT_EQ(reply.bytes[13], 10);
        }
        ASSERT_EQ(net.removed.size(), mayAdd ? 1u : 0u);
        if (mayAdd) {
            EXPECT_EQ(net.removed[0].address, Ip("2.18.0.10"));
        }
    }
    {
        FakeNetwork net;
        net.network = Network({UpInterface(4, "eth0", {"10.77.0.1/8"})});
        net.mayAdd = true;
        net.addError = "File exists";
        OutputWorker thread(net.Platform());
        EXPECT_EQ(thread.InitError(), "File exists");
        EXPECT_EQ(thread.LocalAddressText(), "10.77.0.1");
        EXPECT_EQ(thread.DestinationText(), "10.255.255.255 (eth0)");
        EXPECT_EQ(thread.AddressContext(), 0u);
        thread.CloseNetwork();
        EXPECT_TRUE(net.removed.empty());
    }
    {
        FakeNetwork net;
        net.layerFails = true;
        OutputWorker thread(net.Platform());
        EXPECT_EQ(thread.InitError(), "ソケットの初期化に失敗しました");
        EXPECT_FALSE(thread.SocketReady());
    }
    {
        // A failed bind is silent; nothing is sent, the tick still runs.
        FakeNetwork net;
        net.bindFails = true;
        OutputWorker thread(net.Platform());
        EXPECT_TRUE(thread.InitError().empty());
        EXPECT_FALSE(thread.SocketReady());
        int ticks = 0;
        thread.TickCallback = [&](uint8_t* frame) { frame[0] = uint8_t(++ticks); };
        thread.OutputEnabled = true;
        thread.BeginOutput();
        thread.RunFrame();
        thread.SendPoll();
        EXPECT_EQ(ticks, 1);
        EXPECT_EQ(thread.SendDmx(Bytes(512, 9).data(), true), 0);
    }
}

// Started without a network: nothing is sent and "no network" is the state; when an address
// comes the worker follows at once, and again when it moves; a 2.x address added as root
// moves with it.
TEST(ArtnetSetup, FollowsTheNetworkWhenItComesAndMoves)
{
    for (const bool mayAdd : {false, true}) {
        SCOPED_TRACE(mayAdd ? "may add" : "may not add");
        FakeNetwork net;
        net.network = Network({UpInterface(1, "lo", {"127.0.0.1/8"})});
        net.mayAdd = mayAdd;
        OutputWorker thread(net.Platform());
        thread.OutputEnabled = true;
        thread.BeginOutput();
        thread.SendPoll();
        EXPECT_FALSE(thread.NetworkUp());
        EXPECT_EQ(thread.DestinationText(), "");
        EXPECT_TRUE(net.SentTo().empty());
        EXPECT_EQ(thread.SendFailures(), 0u);

        net.network = Network({UpInterface(1, "lo", {"127.0.0.1/8"}), UpInterface(2, "eth0", {"198.18.0.1/15"})});
        thread.FollowNetwork();
        EXPECT_TRUE(thread.NetworkUp());
        thread.RunFrame(); // unchanged frame, sent at once for the new route
        ASSERT_EQ(net.SentWithOpCode(OpDmx).size(), 1u);
        EXPECT_EQ(net.SentTo().back().address, mayAdd ? TwoNetBroadcast : HostIp("198.19.255.255"));

        // DHCP gives another address: the old 2.x address goes, the new one comes.
        if (mayAdd)
            net.network = Network({UpInterface(2, "eth0", {"2.18.0.1/24", "198.18.0.1/15"})});
        thread.FollowNetwork();
        EXPECT_TRUE(net.removed.empty()) << "the added address, now seen on the interface, is kept";
        net.network = Network({UpInterface(2, "eth0", {"203.0.113.9/24"})});
        thread.FollowNetwork();
        thread.RunFrame();
        EXPECT_EQ(net.SentTo().back().address, mayAdd ? TwoNetBroadcast : HostIp("203.0.113.255"));
        EXPECT_EQ(thread.LocalAddressText(), mayAdd ? "2.0.113.9" : "203.0.113.9");
        EXPECT_EQ(net.removed.size(), mayAdd ? 1u : 0u);
        EXPECT_EQ(net.added.size(), mayAdd ? 2u : 0u);
    }
}

class ArtnetRules : public ::testing::Test {
protected:
    ArtnetRules() : thread(net.Platform())
    {
        thread.SetNodeNames("Lumenrill", "Lumenrill");
        thread.TickCallback = [this](uint8_t* frame) { std::copy(slots.begin(), slots.end(), frame); };
    }
    size_t DmxSent() const { return net.SentWithOpCode(OpDmx).size(); }

    FakeNetwork net;
    OutputWorker thread;
    Bytes slots = Bytes(512, 0);
};

TEST_F(ArtnetRules, ConstantFrameIsRepeatedOnlyByTheKeepAlive)
{
    net.nowNs = 0;
    thread.OutputEnabled = true;
    thread.BeginOutput();
    EXPECT_EQ(DmxSent(), 1u);
    for (int frame = 1; frame <= 224; ++frame) {
        net.nowNs += 20000000;
        thread.RunFrame();
        EXPECT_EQ(DmxSent(), size_t(1 + frame / 75)) << "frame " << frame;
    }
}

TEST_F(ArtnetRules, KeepAliveCountsTimeSinceTheLastSend)
{
    // A tick that takes 3 s (a slow sound open): the frame after it is the keep-alive,
    // however few frames ran. A changed frame counts as a send.
    int64_t tickNs = 20000000;
    thread.TickCallback = [&](uint8_t* frame) {
        net.nowNs += tickNs;
        std::copy(slots.begin(), slots.end(), frame);
    };
    net.nowNs = 0;
    thread.OutputEnabled = true;
    thread.BeginOutput();
    thread.RunFrame();
    EXPECT_EQ(DmxSent(), 1u);
    tickNs = 3000000000;
    thread.RunFrame();
    EXPECT_EQ(DmxSent(), 2u) << "3 s since the last send";
    tickNs = 20000000;
    for (int frame = 1; frame < 74; ++frame)
        thread.RunFrame();
    slots[0] = 1;
    thread.RunFrame(); // 1.48 s after the keep-alive: sent because it changed
    EXPECT_EQ(DmxSent(), 3u);
    for (int frame = 0; frame < 74; ++frame)
        thread.RunFrame();
    EXPECT_EQ(DmxSent(), 3u) << "1.48 s since the changed frame";
    thread.RunFrame();
    EXPECT_EQ(DmxSent(), 4u);
}

TEST_F(ArtnetRules, ChangedSlotIsSentInThatFrame)
{
    thread.OutputUniverse = 0x35;
    thread.OutputEnabled = true;
    thread.BeginOutput();
    thread.RunFrame();
    EXPECT_EQ(DmxSent(), 1u);

    slots[511] = 200;
    thread.RunFrame();
    ASSERT_EQ(DmxSent(), 2u);
    const Bytes dmx = net.SentWithOpCode(OpDmx).back();
    ASSERT_EQ(dmx.size(), 530u);
    EXPECT_EQ(dmx[14], 0x35);
    EXPECT_EQ(dmx[15], 0x00);
    EXPECT_EQ(dmx[18 + 511], 200);

    // The same frame again sends nothing; a new universe alone waits for a change.
    thread.RunFrame();
    thread.OutputUniverse = 0x12;
    thread.RunFrame();
    EXPECT_EQ(DmxSent(), 2u);
    slots[0] = 1;
    thread.RunFrame();
    EXPECT_EQ(net.SentWithOpCode(OpDmx).back()[14], 0x12);
}

TEST_F(ArtnetRules, OutputOffSendsNoDmxButTicks)
{
    int ticks = 0;
    thread.TickCallback = [&](uint8_t* frame) { frame[0] = uint8_t(++ticks); };
    thread.BeginOutput();
    for (int i = 0; i < 100; ++i)
        thread.RunFrame();
    EXPECT_EQ(ticks, 100);
    EXPECT_EQ(DmxSent(), 0u);
}

TEST_F(ArtnetRules, ReceivingRules)
{
    Bytes shortPoll = PollBytes();
    shortPoll.pop_back();
    Bytes wrongId = PollBytes();
    wrongId[0] = 'a';
    Bytes otherOp = PollBytes();
    otherOp[9] = 0x50;
    for (const Bytes& ignored : {shortPoll, wrongId, otherOp, Bytes{}}) {
        net.Deliver(ignored);
        thread.ReceivePacket();
    }
    EXPECT_TRUE(net.Sent().empty());
    EXPECT_EQ(thread.NodeCount(), 0);

    // Any poll, our own included, is answered with one 240-byte reply.
    net.Deliver(PollBytes());
    thread.ReceivePacket();
    const std::vector<Bytes> replies = net.SentWithOpCode(OpPollReply);
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].size(), 240u);

    // Our own reply coming back, and a node calling itself "Lumenrill", are never listed.
    net.Deliver(replies[0]);
    thread.ReceivePacket();
    NodeReply twin;
    twin.address = {2, 0, 0, 50};
    twin.shortName = "Lumenrill";
    net.Deliver(ReplyBytes(twin));
    thread.ReceivePacket();
    EXPECT_EQ(thread.NodeCount(), 0);

    // One datagram per pass.
    NodeReply a, b;
    a.address = {2, 0, 0, 10};
    a.portTypes = {0x80};
    a.sub = 2;
    a.swOut = {0x01};
    b.address = {2, 0, 0, 11};
    net.Deliver(ReplyBytes(a));
    net.Deliver(ReplyBytes(b));
    thread.OutputUniverse = 0x21;
    thread.ReceivePacket();
    EXPECT_EQ(thread.NodeCount(), 1);
    EXPECT_TRUE(thread.NodeListChanged());
    thread.ReceivePacket();
    std::vector<std::string> lines;
    EXPECT_EQ(thread.FillNodeList(lines), 2);
    EXPECT_FALSE(thread.NodeListChanged());
    EXPECT_EQ(lines, (std::vector<std::string>{"*  2.  0.  0. 10 : SimNode", "   2.  0.  0. 11 : SimNode"}));

    // A scan empties the table and polls.
    net.ClearSent();
    thread.Scan();
    EXPECT_EQ(thread.NodeCount(), 0);
    EXPECT_EQ(net.SentWithOpCode(OpPoll).size(), 1u);
}

NodeReply OutputNode(uint8_t last, uint8_t portType, uint8_t subAndUniverse)
{
    NodeReply node;
    node.address = {2, 0, 0, last};
    node.ports = 2;
    node.portTypes = {0x40, portType};
    node.sub = subAndUniverse >> 4;
    node.swOut = {0, uint8_t(subAndUniverse & 0x0F)};
    return node;
}

TEST_F(ArtnetRules, UnicastGoesToTheNodesThatOutputTheUniverse)
{
    thread.SetArtnetOutput({ArtnetMode::Unicast, {}, {}});
    thread.OutputUniverse = 0x21;
    thread.OutputEnabled = true;
    thread.BeginOutput();
    ASSERT_EQ(net.SentTo().size(), 1u);
    EXPECT_EQ(net.SentTo()[0].address, TwoNetBroadcast) << "no node known yet: broadcast";

    for (const NodeReply& node : {OutputNode(10, 0x80, 0x21), OutputNode(11, 0x80, 0x22), OutputNode(12, 0x81, 0x21),
                                  OutputNode(13, 0xC0, 0x21)}) {
        net.Deliver(ReplyBytes(node));
        thread.ReceivePacket();
    }
    net.ClearSent();
    slots[0] = 1;
    thread.RunFrame();
    std::vector<uint32_t> to;
    for (const FakeNetwork::Addressed& d : net.SentTo())
        to.push_back(d.address);
    // Only DMX512 output ports on the universe count (0x81 speaks another protocol).
    EXPECT_EQ(to, (std::vector<uint32_t>{0x0200000A, 0x0200000D}));
    EXPECT_EQ(net.SentTo()[0].bytes.size(), 530u);
    EXPECT_EQ(thread.DestinationText(), "2.0.0.10 +1");

    // A universe no known node outputs goes out as a broadcast again.
    net.ClearSent();
    thread.OutputUniverse = 0x30;
    slots[0] = 2;
    thread.RunFrame();
    ASSERT_EQ(net.SentTo().size(), 1u);
    EXPECT_EQ(net.SentTo()[0].address, TwoNetBroadcast);

    // Off: no DMX at all, while discovery goes on.
    net.ClearSent();
    thread.SetArtnetOutput({ArtnetMode::Off, {}, {}});
    slots[0] = 3;
    thread.RunFrame();
    thread.SendPoll();
    EXPECT_EQ(DmxSent(), 0u);
    EXPECT_EQ(net.SentWithOpCode(OpPoll).size(), 1u);
}

// The limited broadcast leaves by the output interface; a fixed list gets exactly its
// addresses, frames and polls alike; a new destination gets the frame at once.
TEST_F(ArtnetRules, LimitedBroadcastAndFixedList)
{
    thread.OutputEnabled = true;
    thread.SetArtnetOutput({ArtnetMode::Limited, {}, {}});
    thread.BeginOutput();
    thread.SendPoll();
    ASSERT_EQ(net.SentTo().size(), 2u);
    for (const FakeNetwork::Addressed& d : net.SentTo()) {
        EXPECT_EQ(d.address, LimitedBroadcast);
        EXPECT_EQ(d.interfaceIndex, 3u);
    }
    EXPECT_EQ(thread.DestinationText(), "255.255.255.255 (eth0)");

    net.ClearSent();
    const std::vector<uint32_t> list{HostIp("198.18.0.2"), HostIp("203.0.113.7")};
    thread.SetArtnetOutput({ArtnetMode::List, list, {}});
    thread.RunFrame();
    thread.SendPoll();
    std::vector<std::pair<uint32_t, uint16_t>> sent;
    for (const FakeNetwork::Addressed& d : net.SentTo())
        sent.emplace_back(d.address, OpCode(d.bytes.data()));
    EXPECT_EQ(sent, (std::vector<std::pair<uint32_t, uint16_t>>{
                        {list[0], OpDmx}, {list[1], OpDmx}, {list[0], OpPoll}, {list[1], OpPoll}}));
    EXPECT_EQ(thread.DestinationText(), "198.18.0.2,203.0.113.7");
    EXPECT_EQ(thread.SetArtnetOutput({ArtnetMode::List, {}, {}}).Problem, OutputProblem::NoArtnetAddress);
}

SacnConfig Sacn(int32_t universe)
{
    SacnConfig config;
    config.Mode = SacnMode::Multicast;
    config.Universe = universe;
    config.Cid = NewSacnCid();
    return config;
}

// sACN data packets sent (not discovery), with their universe and whether terminated.
std::vector<std::pair<int, bool>> SacnData(const FakeNetwork& net)
{
    std::vector<std::pair<int, bool>> out;
    for (const FakeNetwork::Addressed& d : net.SacnSent())
        if (d.bytes.size() == SacnDataPacketSize)
            out.emplace_back(d.bytes[113] << 8 | d.bytes[114], (d.bytes[SacnOptionsOffset] & SacnStreamTerminated) != 0);
    return out;
}

TEST_F(ArtnetRules, SacnRunsBesideArtnetAndEndsWithTerminatedPackets)
{
    using Packets = std::vector<std::pair<int, bool>>;
    ASSERT_TRUE(thread.SetSacnOutput(Sacn(7)));
    thread.OutputEnabled = true;
    thread.BeginOutput();
    EXPECT_EQ(SacnData(net), (Packets{{7, false}}));
    EXPECT_EQ(net.SacnSent().size(), 2u) << "and the universe discovery";
    EXPECT_EQ(DmxSent(), 1u);
    slots[3] = 30;
    thread.RunFrame();
    EXPECT_EQ(DmxSent(), 2u);
    EXPECT_EQ(SacnData(net).size(), 2u);
    EXPECT_EQ(net.SacnSent().back().bytes[SacnSlotsOffset + 3], 30);

    // Another universe: the old stream ends with three terminated packets, the new one
    // starts in the same frame.
    net.ClearSent();
    ASSERT_TRUE(thread.SetSacnOutput(Sacn(9)));
    thread.RunFrame();
    EXPECT_EQ(SacnData(net), (Packets{{7, true}, {7, true}, {7, true}, {9, false}}));

    // Output stopped: terminated once; the tick goes on.
    net.ClearSent();
    thread.OutputEnabled = false;
    thread.RunFrame();
    thread.RunFrame();
    EXPECT_EQ(SacnData(net), (Packets{{9, true}, {9, true}, {9, true}}));

    // Output again, then closing the network ends the stream too.
    net.ClearSent();
    thread.OutputEnabled = true;
    thread.RunFrame();
    thread.CloseNetwork();
    EXPECT_EQ(SacnData(net), (Packets{{9, false}, {9, true}, {9, true}, {9, true}}));

    // sACN off: nothing more is sent by it.
    net.ClearSent();
    ASSERT_TRUE(thread.SetSacnOutput({}));
    thread.RunFrame();
    EXPECT_TRUE(net.SacnSent().empty());
}

TEST(ArtnetSacnSettings, RefusedValuesKeepTheStreamThatRuns)
{
    FakeNetwork net;
    NetworkInterface dummy = UpInterface(5, "dummy0", {});
    net.network = Network({UpInterface(1, "lo", {"127.0.0.1/8"}), UpInterface(3, "eth0", {"2.0.0.1/8"}),
                           UpInterface(4, "eth1", {"10.9.0.1/16"}), dummy});
    OutputWorker thread(net.Platform());
    thread.OutputEnabled = true;

    // The Art-Net address's interface unless one is named; unicast leaves by the route.
    ASSERT_TRUE(thread.SetSacnOutput(Sacn(1)));
    SacnConfig named = Sacn(2);
    named.Interface = "eth1";
    named.Ttl = 4;
    ASSERT_TRUE(thread.SetSacnOutput(named));
    SacnConfig unicast = Sacn(3);
    unicast.Mode = SacnMode::Unicast;
    unicast.Unicast = {0x02000002};
    ASSERT_TRUE(thread.SetSacnOutput(unicast));
    EXPECT_EQ(net.sacnOpened, (std::vector<std::pair<uint32_t, int>>{{Ip("2.0.0.1"), 1}, {Ip("10.9.0.1"), 4}, {0, 1}}));

    struct Case {
        SacnConfig config;
        OutputProblem problem;
        std::string value;
    };
    SacnConfig noAddress = Sacn(5), unknown = Sacn(5), badUniverse = Sacn(64000), noUnicast = unicast;
    noAddress.Interface = "dummy0";
    unknown.Interface = "eth9";
    noUnicast.Unicast.clear();
    const Case cases[] = {{noAddress, OutputProblem::Interface, "dummy0"},
                          {unknown, OutputProblem::Interface, "eth9"},
                          {badUniverse, OutputProblem::Universe, "64000"},
                          {noUnicast, OutputProblem::NoAddress, ""}};
    for (const Case& c : cases) {
        const OutputCheck check = thread.SetSacnOutput(c.config);
        EXPECT_EQ(check.Problem, c.problem) << c.value;
        EXPECT_EQ(check.Value, c.value);
    }
    net.sacnOpenError = "No buffer space available";
    const OutputCheck failed = thread.SetSacnOutput(Sacn(6));
    EXPECT_EQ(failed.Problem, OutputProblem::Socket);
    EXPECT_EQ(failed.Value, "No buffer space available");
    EXPECT_EQ(net.sacnOpened.size(), 4u) << "refused values open nothing";

    // The last accepted setting is the one that runs.
    thread.BeginOutput();
    ASSERT_FALSE(SacnData(net).empty());
    EXPECT_EQ(SacnData(net)[0].first, 3);
    EXPECT_EQ(net.SacnSent()[0].address, 0x02000002u);
}

TEST_F(ArtnetRules, FailedSendsAreCountedAndTheFramesGoOn)
{
    int ticks = 0;
    thread.TickCallback = [&](uint8_t* frame) { frame[0] = uint8_t(++ticks); };
    ASSERT_TRUE(thread.SetSacnOutput(Sacn(1)));
    thread.OutputEnabled = true;
    net.sendsFail = true;
    thread.BeginOutput();
    for (int i = 0; i < 10; ++i)
        thread.RunFrame();
    EXPECT_EQ(ticks, 10);
    EXPECT_TRUE(thread.SendFailing());
    EXPECT_EQ(thread.SendFailures(), 23u) << "11 ArtDmx, 11 sACN data, one discovery";
    net.sendsFail = false;
    thread.RunFrame();
    EXPECT_FALSE(thread.SendFailing());
    EXPECT_EQ(DmxSent(), 1u);
    EXPECT_EQ(SacnData(net).size(), 1u);
}

TEST(FrameGrid, SkipsMissedSlots)
{
    struct Case {
        int64_t due, now, next;
    } cases[] = {
        {100, 103, 120}, // on time
        {100, 120, 120}, // the next slot is due right now
        {100, 121, 140}, // an overrun past one slot skips it
        {100, 185, 200}, // several slots skipped, still on the grid
    };
    for (const Case& c : cases)
        EXPECT_EQ(NextFrameTime(c.due, c.now, 20), c.next) << c.now;
}

// The real loop with the user interface reading, scanning and sending meanwhile (run
// under ThreadSanitizer too).
TEST(ArtnetLoop, RunsFramesPollsAndAnswersWhileTheUiActs)
{
    FakeNetwork net;
    net.network = Network({UpInterface(4, "eth0", {"10.77.0.1/8"})});
    net.mayAdd = true;
    std::atomic<int> ticks{0};
    {
        OutputWorker thread(net.Platform());
        thread.SetNodeNames("Lumenrill", "Lumenrill");
        thread.Priority = ThreadPriority::AboveNormal;
        thread.TickCallback = [&](uint8_t* frame) { frame[0] = uint8_t(++ticks); };
        thread.OutputEnabled = true;
        thread.Start();
        thread.SendPoll();

        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(2300);
        std::vector<std::string> lines;
        for (int i = 0; std::chrono::steady_clock::now() < end; ++i) {
            NodeReply node;
            node.address = {2, 0, 1, uint8_t(i % 30)};
            net.Deliver(ReplyBytes(node));
            if (i % 7 == 0)
                net.Deliver(PollBytes());
            thread.FillNodeList(lines);
            (void)thread.Node(i % 15);
            if (i % 50 == 0)
                thread.Scan();
            thread.OutputUniverse = i % 256;
            if (i % 40 == 0) {
                EXPECT_TRUE(thread.SetSacnOutput(Sacn(1 + i % 3)));
            }
            thread.SetArtnetOutput({i % 80 < 40 ? ArtnetMode::Broadcast : ArtnetMode::Unicast, {}, {}});
            (void)thread.SendFailing();
            std::this_thread::sleep_for(std::chrono::milliseconds(3));
        }
        thread.Terminate();
        thread.WaitFor();
        EXPECT_FALSE(thread.SocketReady());
        EXPECT_LE(thread.NodeCount(), 30);
    }
    // About 115 frames in 2.3 s (fewer on a loaded machine, never a burst beyond the
    // grid); every one changed frame[0], so each was sent.
    EXPECT_GE(ticks.load(), 50);
    EXPECT_LE(ticks.load(), 118);
    EXPECT_EQ(net.SentWithOpCode(OpDmx).size(), size_t(ticks.load()) + 1);
    // The first poll at start, the scans and the periodic one after 2 s.
    EXPECT_GE(net.SentWithOpCode(OpPoll).size(), 2u);
    EXPECT_FALSE(net.SentWithOpCode(OpPollReply).empty());
    ASSERT_EQ(net.removed.size(), 1u);
    EXPECT_EQ(net.removed[0].address, Ip("2.77.0.1"));
}

} // namespace
