// TArtnetThread's rules without a network: set-up and clean-up of the address, the send
// rules, the receiving rules, and the running loop with the user interface acting on it.
#include "artnet/artnet_thread.h"
#include "artnet/frame_grid.h"
#include "artnet/permission_text.h"

#include "artnet_test_packets.h"
#include "fake_network.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

TEST(ArtnetSetup, ChoosesAndAddsTheAddress)
{
    struct Case {
        const char* name;
        std::optional<std::vector<AddressRow>> table;
        const char* announced;
        bool adds;
        uint32_t interfaceIndex;
    } cases[] = {
        {"own 2.x address", std::vector<AddressRow>{{Ip("127.0.0.1"), 1}, {Ip("192.168.1.10"), 2}, {Ip("2.3.4.5"), 3}},
         "2.3.4.5", false, 0},
        {"first other address", std::vector<AddressRow>{{Ip("127.0.0.1"), 1}, {Ip("192.168.1.10"), 2}, {Ip("10.0.0.1"), 3}},
         "2.168.1.10", true, 2},
        {"loopback only", std::vector<AddressRow>{{Ip("127.0.0.1"), 1}}, "127.0.0.1", false, 0},
        {"no table", std::nullopt, "127.0.0.1", false, 0},
        {"other loopback address counts", std::vector<AddressRow>{{Ip("127.0.0.1"), 1}, {Ip("127.0.1.1"), 1}},
         "2.0.1.1", true, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeNetwork net;
        net.table = c.table;
        {
            TArtnetThread thread(net.Platform());
            EXPECT_EQ(thread.LocalAddressText(), c.announced);
            EXPECT_EQ(thread.LocalAddress(), Ip(c.announced));
            EXPECT_TRUE(thread.InitError().empty());
            EXPECT_TRUE(thread.SocketReady());
            EXPECT_EQ(thread.AddressContext(), c.interfaceIndex);
            ASSERT_EQ(net.added.size(), c.adds ? 1u : 0u);
            if (c.adds) {
                EXPECT_EQ(net.added[0].interfaceIndex, c.interfaceIndex);
                EXPECT_EQ(net.added[0].address, Ip(c.announced));
            }
            // The reply announces the chosen address.
            thread.SendPollReply();
            const Bytes reply = net.Sent().at(0);
            EXPECT_EQ(reply[10], 0xFF & ntohl(Ip(c.announced)) >> 24);
            EXPECT_EQ(reply[13], 0xFF & ntohl(Ip(c.announced)));
        }
        // Ending removes exactly what was added, once.
        ASSERT_EQ(net.removed.size(), c.adds ? 1u : 0u);
        if (c.adds) {
            EXPECT_EQ(net.removed[0].interfaceIndex, c.interfaceIndex);
            EXPECT_EQ(net.removed[0].address, Ip(c.announced));
        }
    }
}

TEST(ArtnetSetup, Failures)
{
    {
        FakeNetwork net;
        net.table = std::vector<AddressRow>{{Ip("10.77.0.1"), 4}};
        net.addError = "Operation not permitted";
        net.addNotPermitted = true;
        TArtnetThread thread(net.Platform());
        // The system's words first, then both ways to grant the right, naming this binary.
        const std::string& error = thread.InitError();
        EXPECT_EQ(error.rfind("Operation not permitted\n", 0), 0u) << error;
        EXPECT_NE(error.find("setcap cap_net_admin+ep " + RunningExecutablePath()), std::string::npos) << error;
        EXPECT_NE(error.find("2.255.255.255"), std::string::npos) << error;
        EXPECT_EQ(thread.LocalAddressText(), "10.77.0.1"); // the candidate is announced
        EXPECT_EQ(thread.AddressContext(), 0u);
        EXPECT_TRUE(thread.SocketReady());
        thread.ClearInitError();
        EXPECT_TRUE(thread.InitError().empty());
        thread.CloseNetwork();
        EXPECT_TRUE(net.removed.empty());
    }
    {
        // Any other failure of the add is the system's text alone.
        FakeNetwork net;
        net.table = std::vector<AddressRow>{{Ip("10.77.0.1"), 4}};
        net.addError = "No such device";
        TArtnetThread thread(net.Platform());
        EXPECT_EQ(thread.InitError(), "No such device");
    }
    {
        FakeNetwork net;
        net.layerFails = true;
        TArtnetThread thread(net.Platform());
        EXPECT_EQ(thread.InitError(), "ソケットの初期化に失敗しました");
        EXPECT_FALSE(thread.SocketReady());
    }
    {
        // A failed bind is silent; nothing is sent, the tick still runs.
        FakeNetwork net;
        net.bindFails = true;
        TArtnetThread thread(net.Platform());
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

class ArtnetRules : public ::testing::Test {
protected:
    ArtnetRules() : thread(net.Platform())
    {
        thread.SetNodeNames("Lumenrill", "Lumenrill");
        thread.TickCallback = [this](uint8_t* frame) { std::copy(slots.begin(), slots.end(), frame); };
    }
    size_t DmxSent() const { return net.SentWithOpCode(OpDmx).size(); }

    FakeNetwork net;
    TArtnetThread thread;
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
    a.swOut = {0x21};
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

NodeReply OutputNode(uint8_t last, uint8_t portType, uint8_t swOut)
{
    NodeReply node;
    node.address = {2, 0, 0, last};
    node.portTypes = {0x40, portType};
    node.swOut = {0, swOut};
    return node;
}

TEST_F(ArtnetRules, UnicastGoesToTheNodesThatOutputTheUniverse)
{
    thread.ArtnetOutput = ArtnetMode::Unicast;
    thread.OutputUniverse = 0x21;
    thread.OutputEnabled = true;
    thread.BeginOutput();
    ASSERT_EQ(net.SentTo().size(), 1u);
    EXPECT_EQ(net.SentTo()[0].address, ArtnetBroadcast) << "no node known yet: broadcast";

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

    // A universe no known node outputs goes out as a broadcast again.
    net.ClearSent();
    thread.OutputUniverse = 0x30;
    slots[0] = 2;
    thread.RunFrame();
    ASSERT_EQ(net.SentTo().size(), 1u);
    EXPECT_EQ(net.SentTo()[0].address, ArtnetBroadcast);

    // Off: no DMX at all, while discovery goes on.
    net.ClearSent();
    thread.ArtnetOutput = ArtnetMode::Off;
    slots[0] = 3;
    thread.RunFrame();
    thread.SendPoll();
    EXPECT_EQ(DmxSent(), 0u);
    EXPECT_EQ(net.SentWithOpCode(OpPoll).size(), 1u);
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
    net.table = std::vector<AddressRow>{{Ip("127.0.0.1"), 1}, {Ip("2.0.0.1"), 3}, {Ip("10.9.0.1"), 4}};
    net.interfaces = {{"lo", 1}, {"eth0", 3}, {"eth1", 4}, {"dummy0", 5}};
    TArtnetThread thread(net.Platform());
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
    net.table = std::vector<AddressRow>{{Ip("10.77.0.1"), 4}};
    std::atomic<int> ticks{0};
    {
        TArtnetThread thread(net.Platform());
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
            thread.ArtnetOutput = i % 80 < 40 ? ArtnetMode::Broadcast : ArtnetMode::Unicast;
            (void)thread.SendFailing();
            std::this_thread::sleep_for(std::chrono::milliseconds(3));
        }
        thread.Terminate();
        thread.WaitFor();
        EXPECT_FALSE(thread.SocketReady());
        EXPECT_EQ(thread.NodeCount() <= 15, true);
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
