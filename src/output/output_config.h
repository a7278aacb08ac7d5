#pragma once
// What the worker sends and how: Art-Net by the automatic broadcast rule, the limited
// broadcast, to the discovered nodes, to a fixed list of addresses or off, through a chosen
// interface or the automatic one; and sACN (E1.31) multicast, unicast or off, with the sACN universe, priority, addresses, sending
// interface, TTL and the source's CID. Also the checks and texts of these values, shared
// by the settings file, the option dialog and lumenrill-cli.

#include "common/ipv4_text.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Broadcast: 2.255.255.255 where the machine has or may add a 2.x.x.x address, otherwise the
// output interface's own broadcast address. Limited: 255.255.255.255 out of the output
// interface. Unicast: the discovered nodes that output the universe (Broadcast while none is
// known). List: exactly the addresses given.
enum class ArtnetMode { Broadcast, Limited, Unicast, List, Off };
enum class SacnMode { Off, Multicast, Unicast };

using SacnCid = std::array<uint8_t, 16>;

// The 15-bit Port-Address: Net (7 bits), Sub-Net (4 bits), Universe (4 bits).
inline constexpr int32_t ArtnetPortAddressMax = 32767;
inline constexpr int32_t SacnUniverseMin = 1;
inline constexpr int32_t SacnUniverseMax = 63999;
inline constexpr int32_t SacnPriorityMin = 0;
inline constexpr int32_t SacnPriorityMax = 200;
inline constexpr int32_t SacnTtlMin = 1;
inline constexpr int32_t SacnTtlMax = 255;

struct SacnConfig {
    SacnMode Mode = SacnMode::Off;
    int32_t Universe = 1;
    int32_t Priority = 100;
    std::vector<uint32_t> Unicast; // destinations in unicast mode, host byte order
    std::string Interface;         // sending interface of multicast; empty: the one of the Art-Net address
    int32_t Ttl = 1;               // multicast hops
    SacnCid Cid{};
    bool operator==(const SacnConfig&) const = default;
};

struct ArtnetConfig {
    ArtnetMode Mode = ArtnetMode::Broadcast;
    std::vector<uint32_t> Addresses; // List mode's destinations, host byte order
    std::string Interface;           // empty: the default route's, else the first up one
    bool operator==(const ArtnetConfig&) const = default;
};

struct OutputConfig {
    ArtnetConfig Artnet;
    SacnConfig Sacn;
    bool operator==(const OutputConfig&) const = default;
};

// Why a value is refused, and the value as it was given.
// Socket: the sACN socket could not be made; Value holds the system's reason.
enum class OutputProblem { None, Address, NoAddress, NoArtnetAddress, PortAddress, Universe, Priority, Ttl, Interface, Socket };
struct OutputCheck {
    OutputProblem Problem = OutputProblem::None;
    std::string Value;
    explicit operator bool() const { return Problem == OutputProblem::None; }
};

// Addresses separated by commas (blanks around them allowed). The first entry that is no
// IPv4 address is named in the result; an empty list is NoAddress.
OutputCheck ParseAddressList(std::string_view text, std::vector<uint32_t>& addresses);
std::string AddressListText(const std::vector<uint32_t>& addresses); // "a.b.c.d,e.f.g.h"

// The ranges: universe 1-63999, priority 0-200, TTL 1-255, and at least one address in
// unicast mode. The interface is checked where the machine's addresses are known.
OutputCheck CheckSacnConfig(const SacnConfig& config);
// At least one address in List mode. An interface that is missing is waited for.
OutputCheck CheckArtnetConfig(const ArtnetConfig& config);

// "broadcast", "limited", "unicast", "list", "off"; and "off", "multicast", "unicast".
const char* ArtnetModeName(ArtnetMode mode);
std::optional<ArtnetMode> ParseArtnetMode(std::string_view text);
const char* SacnModeName(SacnMode mode);
std::optional<SacnMode> ParseSacnMode(std::string_view text);

// A new random CID (a version 4 UUID); its 8-4-4-4-12 hexadecimal text; and that text read back.
SacnCid NewSacnCid();
std::string CidText(const SacnCid& cid);
std::optional<SacnCid> ParseCid(std::string_view text);

// What the status panel names: where Art-Net goes as the worker says it
// (ArtnetDestinationText), then sACN, such as "Art-Net 198.19.255.255 (eth0) + sACN 1",
// "sACN 7 unicast", or "Art-Net off" when nothing is sent.
std::string OutputSummary(const OutputConfig& config, const std::string& artnetDestination);
