#pragma once
// The machine's network as the output sees it: each interface with its state and IPv4
// addresses, and which interface carries the default route. Read afresh whenever the
// kernel reports a change (address_watch.h).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct InterfaceAddress {
    uint32_t address = 0;   // host byte order
    int prefixLength = 0;
    uint32_t broadcast = 0; // host byte order; 0 when the interface has none
    bool operator==(const InterfaceAddress&) const = default;
};

struct NetworkInterface {
    uint32_t index = 0;
    std::string name;
    bool up = false;
    bool loopback = false;
    std::vector<InterfaceAddress> addresses; // IPv4 only, in the system's order
};

struct NetworkSnapshot {
    std::vector<NetworkInterface> interfaces;
    uint32_t defaultRouteInterface = 0; // 0 when there is no IPv4 default route
};

// Every interface that has an IPv4 address or is up; nullopt when the table cannot be read.
std::optional<NetworkSnapshot> ReadNetwork();

// Whether this process may add and remove interface addresses (CAP_NET_ADMIN in effect).
bool MayChangeAddresses();

// True when address lies inside the subnet of a.
bool InSubnet(const InterfaceAddress& a, uint32_t address);
