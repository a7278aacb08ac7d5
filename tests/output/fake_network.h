#pragma once
// A socket and a platform without a network: what the thread sends is recorded, what a
// test queues is received. Safe to use from the test and the worker at once.

#include "output/output_worker.h"

#include <atomic>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

using Bytes = std::vector<uint8_t>;

struct FakeNetwork {
    FakeNetwork();
    ~FakeNetwork();

    void Deliver(const Bytes& datagram);
    // Every datagram sent: Art-Net broadcasts and Art-Net unicasts (by their address) in
    // Sent(); sACN datagrams in SacnSent().
    struct Addressed {
        uint32_t address; // host byte order; 0x02FFFFFF for the 2.x broadcast
        Bytes bytes;
        uint32_t interfaceIndex = 0; // the interface a broadcast was sent out of
    };
    std::vector<Addressed> SentTo() const;
    std::vector<Addressed> SacnSent() const;
    std::vector<Bytes> Sent() const;
    std::vector<Bytes> SentWithOpCode(uint16_t op) const;
    void ClearSent();

    // The platform: this network (none read: nullopt; at first eth0 with 2.0.0.1/8), the
    // right to add addresses or not, an add that succeeds unless addError is set.
    std::optional<NetworkSnapshot> network;
    bool mayAdd = false;
    std::string addError;
    bool addNotPermitted = false; // the failing add lacked the right to change addresses
    bool bindFails = false;
    bool layerFails = false;
    std::atomic<bool> sendsFail{false}; // every send, Art-Net and sACN, returns -1 (network down)
    // The sACN socket: the interface address and TTL it was opened with; a failing open.
    std::vector<std::pair<uint32_t, int>> sacnOpened;
    std::string sacnOpenError;
    struct Call {
        uint32_t interfaceIndex, address;
    };
    std::vector<Call> added, removed;
    // The keep-alive's clock in ns, set by the test; below 0, the system's.
    std::atomic<int64_t> nowNs{-1};
    OutputPlatform Platform();

    mutable std::mutex lock;
    std::deque<Bytes> incoming;
    std::vector<Addressed> sent;
    std::vector<Addressed> sacnSent;
    int eventFd;
};

uint32_t Ip(const char* text);     // network byte order
uint32_t HostIp(const char* text); // host byte order
// An interface that is up, with the addresses given as "a.b.c.d/n" (broadcast as the kernel
// sets it with "brd +").
NetworkInterface UpInterface(uint32_t index, const std::string& name, std::initializer_list<const char*> cidrs);
// A network of these interfaces, the first one carrying the default route when defaultRoute.
NetworkSnapshot Network(std::vector<NetworkInterface> interfaces, bool defaultRoute = false);
