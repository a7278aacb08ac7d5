#pragma once
// Where Art-Net goes on the machine's network as it is now: the output interface, the
// address the program announces, the broadcast address, whether 2.b.c.d is to be added, and
// the subnets whose nodes unicast may follow.
//
// The automatic rule: where the output interface (or, with none chosen, any interface) has
// a 2.x.x.x address, or the program may add one, Art-Net goes to 2.255.255.255 as the
// protocol's primary network expects; otherwise to the output interface's own broadcast
// address, which every node on that LAN hears. The output interface is the one chosen, else
// the one with the default route, else the first that is up with an address.

#include "output/network_interfaces.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

inline constexpr uint32_t TwoNetBroadcast = 0x02FFFFFF; // host byte order
inline constexpr uint32_t LimitedBroadcast = 0xFFFFFFFF;

struct ArtnetRoute {
    bool network = false;        // an output interface is up with an address
    uint32_t interfaceIndex = 0; // the output interface; 0 without a network
    std::string interfaceName;   // also the chosen one that is missing, for the status text
    uint32_t localAddress = 0x7F000001; // announced in ArtPollReply; host byte order
    uint32_t broadcast = 0;      // host byte order; 0 without a network
    bool addTwoNet = false;      // 2.b.c.d (from localAddress) is to be added to interfaceIndex
    std::vector<InterfaceAddress> subnets; // the output interface's addresses

    bool operator==(const ArtnetRoute&) const = default;
};

// net: nullopt when the table could not be read (no network). chosenInterface: empty for
// the automatic choice. mayAdd: the process may add addresses.
ArtnetRoute ChooseArtnetRoute(const std::optional<NetworkSnapshot>& net, const std::string& chosenInterface,
                              bool mayAdd);

// a.b.c.d with its first octet replaced by 2 (host byte order).
uint32_t TwoNetAddressFor(uint32_t address);

// The broadcast address of a: the kernel's, else the subnet's highest address; the limited
// broadcast for a /31 or /32, which has none of its own.
uint32_t BroadcastOf(const InterfaceAddress& a);
