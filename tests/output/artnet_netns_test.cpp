// The real socket and address set-up, in network namespaces the tests make themselves,
// against a simulated node on the far side of a virtual cable.
#include "output/output_worker.h"

#include "netns.h"
#include "sim_node.h"
#include "support/test_support.h"

#include <gtest/gtest.h>
#include <arpa/inet.h>
#include <linux/capability.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>

namespace {

#define REQUIRE_NAMESPACES(pair)                                                                   \
    if (!(pair).Usable())                                                                          \
    SKIP_FOR_ENVIRONMENT((pair).Problem())

template <typename Pred>
bool WaitFor(Pred pred, int ms = 3000)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!pred()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

NodeReply OutputNode()
{
    NodeReply node; // 2.0.0.2 "SimNode", one output port on sub-net 3, universe 5
    node.portTypes = {0x80};
    node.sub = 3;
    node.swOut = {0x05};
    return node;
}

TEST(ArtnetNetwork, LoopbackOnlyAnnouncesLoopback)
{
    NetnsPair ns("");
    REQUIRE_NAMESPACES(ns);
    NetnsPair::RunIn(ns.App(), [&] {
        OutputWorker thread;
        EXPECT_EQ(thread.LocalAddressText(), "127.0.0.1");
        EXPECT_EQ(thread.AddressContext(), 0u);
        EXPECT_TRUE(thread.InitError().empty());
        EXPECT_TRUE(thread.SocketReady());
    });
}

TEST(ArtnetNetwork, OwnTwoNetAddressIsUsedAsItIs)
{
    NetnsPair ns("2.0.0.1/8");
    REQUIRE_NAMESPACES(ns);
    const std::string before = ns.AppAddresses();
    NetnsPair::RunIn(ns.App(), [&] {
        OutputWorker thread;
        EXPECT_EQ(thread.LocalAddressText(), "2.0.0.1");
        EXPECT_EQ(thread.AddressContext(), 0u);
        EXPECT_TRUE(thread.InitError().empty());
        EXPECT_EQ(ns.AppAddresses(), before);
    });
}

// The whole path: the address is added with the broadcast that makes 2.255.255.255
// reachable, the node hears the polls and the frames, the thread lists the node, and the
// address is gone when the worker ends.
TEST(ArtnetNetwork, AddsAddressTalksToANodeAndCleansUp)
{
    NetnsPair ns("198.18.0.1/15");
    REQUIRE_NAMESPACES(ns);
    SimNode node(ns.Node(), OutputNode());
    ASSERT_TRUE(node.Ready());

    std::unique_ptr<OutputWorker> thread;
    std::atomic<int> ticks{0};
    NetnsPair::RunIn(ns.App(), [&] {
        thread = std::make_unique<OutputWorker>();
        thread->SetNodeNames("Lumenrill", "Lumenrill");
        thread->TickCallback = [&](uint8_t* frame) { frame[7] = uint8_t(++ticks); };
        thread->OutputUniverse = 0x35;
        thread->OutputEnabled = true;
        thread->Start(); // the worker inherits the namespace
    });
    EXPECT_TRUE(thread->InitError().empty()) << thread->InitError();
    EXPECT_EQ(thread->LocalAddressText(), "2.18.0.1");
    EXPECT_NE(thread->AddressContext(), 0u);
    EXPECT_NE(ns.AppAddresses().find("inet 2.18.0.1/24 brd 2.255.255.255 scope global"), std::string::npos)
        << ns.AppAddresses();
    thread->SendPoll();

    ASSERT_TRUE(WaitFor([&] { return thread->NodeCount() == 1; }));
    std::vector<std::string> lines;
    thread->FillNodeList(lines);
    EXPECT_EQ(lines, std::vector<std::string>{"*  2.  0.  0.  2 : SimNode"});
    const std::optional<NodeEntry> entry = thread->Node(0);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->longName, "Simulated node");

    ASSERT_TRUE(WaitFor([&] { return node.Received(0x5000).size() >= 5; }));
    const Bytes dmx = node.Received(0x5000).back();
    ASSERT_EQ(dmx.size(), 530u);
    EXPECT_EQ(dmx[14], 0x35);
    EXPECT_EQ(dmx[16], 2);
    EXPECT_NE(dmx[18 + 7], 0);
    EXPECT_FALSE(node.Received(0x2000).empty());
    // Our own reply reaches the node too, carrying the added address.
    ASSERT_TRUE(WaitFor([&] { return !node.Received(0x2100).empty(); }));
    bool ownReplySeen = false;
    for (const Bytes& r : node.Received(0x2100))
        ownReplySeen |= r.size() == 240 && r[10] == 2 && r[11] == 18 && r[12] == 0 && r[13] == 1;
    EXPECT_TRUE(ownReplySeen);

    thread->Terminate();
    thread->WaitFor();
    EXPECT_EQ(ns.AppAddresses().find("2.18.0.1"), std::string::npos) << ns.AppAddresses();
    EXPECT_NE(ns.AppAddresses().find("198.18.0.1/15"), std::string::npos);
    thread.reset();
}

// An ordinary user on a LAN that is not 2.x: no address is added and nothing is said; the
// frames go to the LAN's own broadcast address and the node hears them. In unicast an Art-Net
// 4 node with two port groups gets the data of either group's universe, addressed to it.
TEST(ArtnetNetwork, AsAUserOnALanBroadcastAndUnicastToBothPortGroups)
{
    NetnsPair ns("198.18.0.1/15", "198.18.0.2/15");
    REQUIRE_NAMESPACES(ns);
    NodeReply first, second;
    for (NodeReply* group : {&first, &second}) {
        group->address = {198, 18, 0, 2};
        group->portTypes = {0x80};
        group->net = 1;
        group->sub = 2;
    }
    first.bindIndex = 1;
    first.swOut = {0x03};
    second.bindIndex = 2;
    second.swOut = {0x04};
    SimNode node(ns.Node(), {first, second}, "198.19.255.255");
    ASSERT_TRUE(node.Ready());

    std::unique_ptr<OutputWorker> thread;
    std::atomic<int> ticks{0};
    NetnsPair::RunIn(ns.App(), [&] {
        // Capabilities belong to the thread (and the worker it starts): drop CAP_NET_ADMIN here.
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct data[2]{};
        ASSERT_EQ(syscall(SYS_capget, &header, data), 0);
        data[0].effective &= ~(1u << CAP_NET_ADMIN);
        ASSERT_EQ(syscall(SYS_capset, &header, data), 0);
        thread = std::make_unique<OutputWorker>();
        thread->SetNodeNames("Lumenrill", "Lumenrill");
        thread->TickCallback = [&](uint8_t* frame) { frame[0] = uint8_t(++ticks); };
        thread->OutputUniverse = 0x124;
        thread->OutputEnabled = true;
        thread->Start();
    });
    ASSERT_TRUE(thread);
    EXPECT_EQ(thread->InitError(), "");
    EXPECT_EQ(thread->AddressContext(), 0u);
    EXPECT_EQ(thread->LocalAddressText(), "198.18.0.1");
    EXPECT_EQ(thread->DestinationText(), "198.19.255.255 (lr-app)");
    thread->SendPoll();
    ASSERT_TRUE(WaitFor([&] { return node.Received(0x5000).size() >= 3 && !node.Received(0x2000).empty(); }));
    EXPECT_EQ(node.ReceivedTo(0x5000).front(), "198.19.255.255");
    EXPECT_EQ(node.ReceivedTo(0x2000).front(), "198.19.255.255") << "polls go the same way";
    ASSERT_TRUE(WaitFor([&] { return thread->NodeCount() == 2; }));

    thread->SetArtnetOutput({ArtnetMode::Unicast, {}, {}});
    for (const int32_t universe : {0x124, 0x123}) {
        thread->OutputUniverse = universe;
        const size_t before = node.Received(0x5000).size();
        ASSERT_TRUE(WaitFor([&] { return node.Received(0x5000).size() >= before + 10; }));
        const std::vector<Bytes> dmx = node.Received(0x5000);
        const std::vector<std::string> to = node.ReceivedTo(0x5000);
        EXPECT_EQ(dmx.back()[14], universe & 0xFF);
        EXPECT_EQ(dmx.back()[15], 1) << "Net 1";
        EXPECT_EQ(to.back(), "198.18.0.2") << universe;
    }
    EXPECT_EQ(thread->DestinationText(), "198.18.0.2");
    thread->Terminate();
    thread->WaitFor();
    EXPECT_EQ(ns.AppAddresses().find("inet 2."), std::string::npos);
}

class NodesCommandTest : public ::testing::Test {
protected:
    int Nodes(const std::string& args, std::string* out)
    {
        return RunCommand("ip netns exec " + ns.App() + " '" + CliPath() + "' nodes " + args + " 2>'" + (dir / "err")
                              + "'",
                          out);
    }
    std::string Stderr()
    {
        const Bytes b = ReadBytes(dir / "err");
        return std::string(b.begin(), b.end());
    }
    TempDir dir;
    NetnsPair ns{"198.18.0.1/15"};
};

TEST_F(NodesCommandTest, ListsNodesWithoutSendingDmx)
{
    REQUIRE_NAMESPACES(ns);
    SimNode node(ns.Node(), OutputNode());
    ASSERT_TRUE(node.Ready());
    std::string out;
    EXPECT_EQ(Nodes("--seconds 1 --universe 53", &out), 0);
    EXPECT_EQ(out, "*  2.  0.  0.  2 : SimNode\n");
    EXPECT_EQ(Stderr(), "");
    EXPECT_FALSE(node.Received(0x2000).empty());
    EXPECT_TRUE(node.Received(0x5000).empty());
    EXPECT_EQ(ns.AppAddresses().find("2.18.0.1"), std::string::npos);

    // Another universe: the node is listed unmarked.
    EXPECT_EQ(Nodes("--universe 0 --seconds 1", &out), 0);
    EXPECT_EQ(out, "   2.  0.  0.  2 : SimNode\n");
}

TEST(NodesCommandAsUser, FindsTheNodesOfTheLanWithoutAWord)
{
    NetnsPair ns("198.18.0.1/15", "198.18.0.2/15");
    REQUIRE_NAMESPACES(ns);
    NodeReply reply = OutputNode();
    reply.address = {198, 18, 0, 2};
    SimNode node(ns.Node(), {reply}, "198.19.255.255");
    ASSERT_TRUE(node.Ready());
    TempDir dir;
    std::string out;
    EXPECT_EQ(RunCommand("ip netns exec " + ns.App() + " setpriv --inh-caps=-net_admin --bounding-set=-net_admin '"
                             + CliPath() + "' nodes --seconds 1 --universe 53 2>'" + (dir / "err") + "'",
                         &out),
              0);
    EXPECT_EQ(out, "*198. 18.  0.  2 : SimNode\n");
    const Bytes err = ReadBytes(dir / "err");
    EXPECT_EQ(std::string(err.begin(), err.end()), "");
    EXPECT_EQ(ns.AppAddresses().find("inet 2."), std::string::npos);
}

TEST_F(NodesCommandTest, SignalsEndInOrderAndRemoveTheAddress)
{
    REQUIRE_NAMESPACES(ns);
    for (const auto& [signal, status] : {std::pair{"TERM", "143\n"}, std::pair{"INT", "130\n"}}) {
        std::string out;
        const std::string script = "ip netns exec " + ns.App() + " '" + CliPath()
                                   + "' nodes --seconds 600 >/dev/null 2>&1 & pid=$!; "
                                     "for i in $(seq 100); do ip -n "
                                   + ns.App()
                                   + " -4 addr show | grep -q 2.18.0.1 && break; sleep 0.05; done; "
                                     "kill -"
                                   + signal + " $pid; wait $pid; echo $?";
        EXPECT_EQ(RunCommand(script, &out), 0);
        EXPECT_EQ(out, status) << signal;
        EXPECT_EQ(ns.AppAddresses().find("2.18.0.1"), std::string::npos) << ns.AppAddresses();
    }
}

// Another program holds the Art-Net port: listing would find no node and playing would send
// no frame, so both say why and end with status 1.
TEST_F(NodesCommandTest, APortInUseEndsNodesAndPlayWithTheReason)
{
    REQUIRE_NAMESPACES(ns);
    int holder = -1;
    NetnsPair::RunIn(ns.App(), [&] {
        holder = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(6454);
        ASSERT_EQ(bind(holder, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    });
    const std::string reason = "lumenrill-cli: Art-Net UDP port 6454: Address already in use\n";
    std::string out;
    EXPECT_EQ(Nodes("--seconds 1", &out), 1);
    EXPECT_EQ(out, "");
    EXPECT_EQ(Stderr(), reason);

    // A sound that is there, so that play gets as far as the port.
    const std::string json = dir / "show.json", show = dir / "show.PRJ", sound = dir / "a.wav";
    WriteBytes(sound, Bytes(44, 0));
    const std::string text = R"({"soundFile": ")" + sound + R"("})";
    WriteBytes(json, Bytes(text.begin(), text.end()));
    ASSERT_EQ(RunCommand("'" + CliPath() + "' import '" + json + "' '" + show + "'"), 0);
    EXPECT_EQ(RunCommand("ip netns exec " + ns.App() + " '" + CliPath() + "' play '" + show
                             + "' --osc-port 19904 2>'" + (dir / "err") + "'",
                         &out),
              1);
    EXPECT_EQ(Stderr(), reason) << "ends before the sound is opened";
    EXPECT_EQ(ns.AppAddresses().find("2.18.0.1"), std::string::npos) << "the added address is removed";
    close(holder);
}

TEST(NodesCommandUsage, WrongArgumentsGiveUsageAndStatusTwo)
{
    for (const char* args : {"--seconds 0", "--seconds 601", "--universe 32768", "--universe -1", "--seconds",
                             "--bogus 3", "--seconds x", "extra"}) {
        std::string out;
        EXPECT_EQ(RunCommand("'" + CliPath() + "' nodes " + args + " 2>&1", &out), 2) << args;
        EXPECT_NE(out.find("usage: lumenrill-cli nodes [--seconds N] [--universe U]"), std::string::npos) << out;
    }
}

} // namespace
