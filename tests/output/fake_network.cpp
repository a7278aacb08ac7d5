#include "fake_network.h"

#include <arpa/inet.h>
#include <ctime>
#include <sys/eventfd.h>
#include <unistd.h>

namespace {

class FakeSocket final : public ArtnetSocket {
public:
    explicit FakeSocket(std::shared_ptr<FakeNetwork> net) : net_(std::move(net)) {}

    long SendTo(uint32_t address, uint32_t interfaceIndex, const uint8_t* data, size_t size) override
    {
        if (net_->sendsFail)
            return -1;
        std::lock_guard guard(net_->lock);
        net_->sent.push_back({address, Bytes(data, data + size), interfaceIndex});
        return long(size);
    }

    long Receive(uint8_t* buffer, size_t capacity) override
    {
        std::lock_guard guard(net_->lock);
        if (net_->incoming.empty())
            return -1;
        const Bytes d = std::move(net_->incoming.front());
        net_->incoming.pop_front();
        if (net_->incoming.empty()) {
            uint64_t count;
            [[maybe_unused]] ssize_t n = read(net_->eventFd, &count, sizeof count);
        }
        const size_t n = std::min(capacity, d.size());
        std::copy(d.begin(), d.begin() + n, buffer);
        return long(n);
    }

    int WaitFd() const override { return net_->eventFd; }

private:
    std::shared_ptr<FakeNetwork> net_;
};

class FakeSacnSocket final : public SacnSocket {
public:
    explicit FakeSacnSocket(std::shared_ptr<FakeNetwork> net) : net_(std::move(net)) {}

    long SendTo(uint32_t address, const uint8_t* data, size_t size) override
    {
        if (net_->sendsFail)
            return -1;
        std::lock_guard guard(net_->lock);
        net_->sacnSent.push_back({address, Bytes(data, data + size)});
        return long(size);
    }

    void SetMulticastInterface(uint32_t interfaceAddress) override
    {
        std::lock_guard guard(net_->lock);
        net_->sacnOpened.back().first = interfaceAddress;
    }

private:
    std::shared_ptr<FakeNetwork> net_;
};

} // namespace

FakeNetwork::FakeNetwork()
    : network(Network({UpInterface(3, "eth0", {"2.0.0.1/8"})}, true)), eventFd(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC))
{
}

FakeNetwork::~FakeNetwork() { close(eventFd); }

void FakeNetwork::Deliver(const Bytes& datagram)
{
    std::lock_guard guard(lock);
    incoming.push_back(datagram);
    const uint64_t one = 1;
    [[maybe_unused]] ssize_t n = write(eventFd, &one, sizeof one);
}

std::vector<FakeNetwork::Addressed> FakeNetwork::SentTo() const
{
    std::lock_guard guard(lock);
    return sent;
}

std::vector<FakeNetwork::Addressed> FakeNetwork::SacnSent() const
{
    std::lock_guard guard(lock);
    return sacnSent;
}

std::vector<Bytes> FakeNetwork::Sent() const
{
    std::vector<Bytes> out;
    for (const Addressed& a : SentTo())
        out.push_back(a.bytes);
    return out;
}

std::vector<Bytes> FakeNetwork::SentWithOpCode(uint16_t op) const
{
    std::vector<Bytes> out;
    for (const Bytes& b : Sent())
        if (b.size() >= 10 && OpCode(b.data()) == op)
            out.push_back(b);
    return out;
}

void FakeNetwork::ClearSent()
{
    std::lock_guard guard(lock);
    sent.clear();
    sacnSent.clear();
}

OutputPlatform FakeNetwork::Platform()
{
    // The platform outlives neither the test nor the thread; the socket shares ownership.
    std::shared_ptr<FakeNetwork> self(this, [](FakeNetwork*) {});
    return {
        [this] { return network; },
        [this] { return mayAdd; },
        [this](uint32_t index, uint32_t address) {
            added.push_back({index, address});
            return addError.empty() ? AddressResult{true, {}} : AddressResult{false, addError, addNotPermitted};
        },
        [this](uint32_t index, uint32_t address) {
            removed.push_back({index, address});
            return AddressResult{true, {}};
        },
        [this, self] {
            OpenedSocket opened;
            opened.layerFailed = layerFails;
            if (!layerFails && !bindFails)
                opened.socket = std::make_unique<FakeSocket>(self);
            return opened;
        },
        [this] {
            const int64_t set = nowNs;
            if (set >= 0)
                return set;
            timespec t{};
            clock_gettime(CLOCK_MONOTONIC, &t);
            return int64_t(t.tv_sec) * 1000000000 + t.tv_nsec;
        },
        [this, self](uint32_t interfaceAddress, int ttl) {
            OpenedSacnSocket opened;
            sacnOpened.emplace_back(interfaceAddress, ttl);
            if (sacnOpenError.empty())
                opened.socket = std::make_unique<FakeSacnSocket>(self);
            opened.error = sacnOpenError;
            return opened;
        },
        {},
    };
}

uint32_t Ip(const char* text) { return inet_addr(text); }

uint32_t HostIp(const char* text) { return ntohl(inet_addr(text)); }

NetworkInterface UpInterface(uint32_t index, const std::string& name, std::initializer_list<const char*> cidrs)
{
    NetworkInterface i;
    i.index = index;
    i.name = name;
    i.up = true;
    i.loopback = name == "lo";
    for (const char* cidr : cidrs) {
        const std::string text = cidr;
        const size_t slash = text.find('/');
        InterfaceAddress a;
        a.address = HostIp(text.substr(0, slash).c_str());
        a.prefixLength = std::stoi(text.substr(slash + 1));
        if (!i.loopback)
            a.broadcast = a.address | (a.prefixLength == 0 ? ~0u : ~0u >> a.prefixLength);
        i.addresses.push_back(a);
    }
    return i;
}

NetworkSnapshot Network(std::vector<NetworkInterface> interfaces, bool defaultRoute)
{
    NetworkSnapshot net;
    net.interfaces = std::move(interfaces);
    if (defaultRoute && !net.interfaces.empty())
        net.defaultRouteInterface = net.interfaces.front().index;
    return net;
}
