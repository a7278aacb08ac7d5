// Any datagrams arriving at the output worker: the input is split into datagrams at
// each "Art-Net" identifier after the first, handed to ReceivePacket one per pass, and
// the node list is filled. Replies, the node table and the list never reach past what
// arrived.
#include "output/output_worker.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <vector>

namespace {

class QueueSocket final : public ArtnetSocket {
public:
    std::deque<std::vector<uint8_t>> incoming;
    long SendTo(uint32_t, uint32_t, const uint8_t*, size_t size) override { return long(size); }
    long Receive(uint8_t* buffer, size_t capacity) override
    {
        if (incoming.empty())
            return -1;
        std::vector<uint8_t> d = std::move(incoming.front());
        incoming.pop_front();
        const size_t n = std::min(d.size(), capacity);
        if (n > 0)
            std::memcpy(buffer, d.data(), n);
        return long(n);
    }
    int WaitFd() const override { return -1; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<std::vector<uint8_t>> datagrams;
    const uint8_t id[] = {'A', 'r', 't', '-', 'N', 'e', 't', 0};
    size_t start = 0;
    for (size_t i = 1; i + sizeof id <= size; ++i)
        if (std::memcmp(data + i, id, sizeof id) == 0) {
            datagrams.emplace_back(data + start, data + i);
            start = i;
        }
    datagrams.emplace_back(data + start, data + size);

    QueueSocket* queue = nullptr;
    OutputPlatform platform;
    platform.readNetwork = [] {
        NetworkSnapshot net;
        net.interfaces.push_back({1, "eth0", true, false, {{0xC0A80001u, 16, 0xC0A8FFFFu}}});
        return std::optional(net);
    };
    platform.addAddress = [](uint32_t, uint32_t) { return AddressResult{true, {}}; };
    platform.removeAddress = [](uint32_t, uint32_t) { return AddressResult{true, {}}; };
    platform.openSocket = [&queue] {
        auto socket = std::make_unique<QueueSocket>();
        queue = socket.get();
        return OpenedSocket{std::move(socket), false};
    };
    OutputWorker thread(platform);
    thread.SetNodeNames("Lumenrill", "Lumenrill");
    if (!queue)
        std::abort();
    for (auto& d : datagrams)
        queue->incoming.push_back(std::move(d));
    while (!queue->incoming.empty())
        thread.ReceivePacket();
    std::vector<std::string> lines;
    if (thread.FillNodeList(lines) > DiscoveredNodes::MaxNodes || thread.NodeCount() > DiscoveredNodes::MaxNodes)
        std::abort();
    // Unicast reads the recorded nodes' ports and addresses for every universe they name.
    thread.SetArtnetOutput({ArtnetMode::Unicast, {}, {}});
    thread.OutputEnabled = true;
    const std::vector<uint8_t> frame(512, 0);
    for (int32_t universe = 0; universe <= ArtnetPortAddressMax; universe += 257) {
        thread.OutputUniverse = universe;
        thread.BeginOutput();
    }
    thread.CloseNetwork();
    return 0;
}
