#pragma once
// What the worker sends and how: Art-Net broadcast, unicast or off, and sACN (E1.31)
// multicast, unicast or off, with the sACN universe, priority, addresses, sending
// interface, TTL and the source's CID. Also the checks and texts of these values, shared
// by the settings file, the option dialog and lumenrill-cli.

#include "common/ipv4_text.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class ArtnetMode { Broadcast, Unicast, Off };
enum class SacnMode { Off, Multicast, Unicast };

using SacnCid = std::array<uint8_t, 16>;

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
};

struct OutputConfig {
    ArtnetMode Artnet = ArtnetMode::Broadcast;
    SacnConfig Sacn;
};

// Why a value is refused, and the value as it was given.
// Socket: the sACN socket could not be made; Value holds the system's reason.
enum class OutputProblem { None, Address, NoAddress, Universe, Priority, Ttl, Interface, Socket };
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

// "broadcast", "unicast", "off"; and "off", "multicast", "unicast".
const char* ArtnetModeName(ArtnetMode mode);
std::optional<ArtnetMode> ParseArtnetMode(std::string_view text);
const char* SacnModeName(SacnMode mode);
std::optional<SacnMode> ParseSacnMode(std::string_view text);

// A new random CID (a version 4 UUID); its 8-4-4-4-12 hexadecimal text; and that text read back.
SacnCid NewSacnCid();
std::string CidText(const SacnCid& cid);
std::optional<SacnCid> ParseCid(std::string_view text);

// What the status panel names: "" for the default (Art-Net broadcast only), otherwise
// such as "Art-Net unicast + sACN 1", "sACN 7 unicast", or "Art-Net off" when nothing is sent.
std::string OutputSummary(const OutputConfig& config);
