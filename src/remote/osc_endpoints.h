#pragma once
// The IPv4 addresses the OSC side deals in: where feedback goes ("192.168.1.20:9000") and
// who may send commands ("192.168.1.0/24", "10.0.0.5"). Lists are written with commas or
// blanks between their items.

#include "common/ipv4_text.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct OscEndpoint {
    uint32_t address = 0; // host byte order
    uint16_t port = 0;
    bool operator==(const OscEndpoint&) const = default;
};

struct AddressRange {
    uint32_t network = 0; // host byte order, host bits clear
    int prefixLength = 32;
    bool Contains(uint32_t address) const;
    bool operator==(const AddressRange&) const = default;
};

// A list as read: its items, or the first item that is none (as it was written).
template <class T> struct ParsedList {
    std::vector<T> items;
    std::optional<std::string> bad;
};

std::string EndpointText(const OscEndpoint& endpoint);
std::string RangeText(const AddressRange& range);

// "address:port" items, port 1 to 65535.
ParsedList<OscEndpoint> ParseEndpointList(std::string_view text);
// "address" or "address/prefix" items, prefix 0 to 32; host bits of a range are dropped.
ParsedList<AddressRange> ParseRangeList(std::string_view text);
std::string EndpointListText(const std::vector<OscEndpoint>& endpoints);
std::string RangeListText(const std::vector<AddressRange>& ranges);

// An empty list lets everyone in.
bool Allowed(const std::vector<AddressRange>& ranges, uint32_t address);
