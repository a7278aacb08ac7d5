#pragma once
// Writes one OSC 1.0 message: the address and the type tag as OSC strings (NUL-terminated,
// padded with NULs to a multiple of four bytes), then each argument big-endian: "i" a
// 32-bit two's complement integer, "f" a 32-bit IEEE 754 float, "s" an OSC string. Or one
// bundle of messages, to be run at once: a reply of several messages in one datagram.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

using OscArgument = std::variant<int32_t, float, std::string>;

std::vector<uint8_t> EncodeOscMessage(std::string_view address, std::initializer_list<OscArgument> arguments = {});

std::vector<uint8_t> EncodeOscBundle(const std::vector<std::vector<uint8_t>>& messages);
