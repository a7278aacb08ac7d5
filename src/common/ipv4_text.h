#pragma once
// IPv4 addresses as people type them: four decimal numbers 0-255 joined by dots.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The address in host byte order, or nothing when text is not exactly such an address.
std::optional<uint32_t> ParseIpv4(std::string_view text);
// The dotted text of an address in host byte order.
std::string Ipv4Text(uint32_t address);
