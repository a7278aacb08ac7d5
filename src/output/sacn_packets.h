#pragma once
// The two E1.31 (sACN) packets this program sends, laid out byte by byte: the data packet
// of one universe with 512 slots, and the universe discovery packet naming it. Every
// multi-byte field is big-endian, written one byte at a time.

#include "output/output_config.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

inline constexpr uint16_t SacnPort = 5568;
inline constexpr size_t SacnDataPacketSize = 638;
inline constexpr size_t SacnDiscoveryPacketSize = 122; // with one universe in its list
inline constexpr size_t SacnSlotsOffset = 126;         // slot 1; 125 holds the START code
inline constexpr size_t SacnSequenceOffset = 111;
inline constexpr size_t SacnOptionsOffset = 112;
inline constexpr uint8_t SacnStreamTerminated = 0x40;
inline constexpr int32_t SacnDiscoveryUniverse = 64214;

using SacnDataPacket = std::array<uint8_t, SacnDataPacketSize>;
using SacnDiscoveryPacket = std::array<uint8_t, SacnDiscoveryPacketSize>;

// The source name is cut to 63 bytes (never inside a UTF-8 character) and NUL-padded.
// Sequence 0, options 0 and 512 zero slots.
SacnDataPacket BuildSacnDataPacket(const SacnCid& cid, std::string_view sourceName, int32_t universe,
                                   uint8_t priority);
SacnDiscoveryPacket BuildSacnDiscoveryPacket(const SacnCid& cid, std::string_view sourceName, int32_t universe);

// 239.255.hi.lo of a universe, host byte order.
uint32_t SacnMulticastAddress(int32_t universe);
