#pragma once
// The three Art-Net packets this program sends, laid out byte by byte, and the checks a
// received datagram must pass. Multi-byte fields are written one byte at a time.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

inline constexpr uint16_t ArtnetPort = 6454;

inline constexpr size_t PollPacketSize = 14;
inline constexpr size_t DmxPacketSize = 530;
inline constexpr size_t ReplyPacketSize = 240;
inline constexpr size_t DmxHeaderSize = 18;
inline constexpr size_t DmxDataSize = 512;
inline constexpr size_t MinPacketSize = 14; // anything shorter is dropped

inline constexpr uint16_t OpPoll = 0x2000;
inline constexpr uint16_t OpPollReply = 0x2100;
inline constexpr uint16_t OpDmx = 0x5000;

// Offsets of the reply fields that both the own reply and the node table use.
inline constexpr size_t ReplyAddressOffset = 10;
inline constexpr size_t ReplyPortOffset = 14;
inline constexpr size_t ReplyShortNameOffset = 26;
inline constexpr size_t ShortNameFieldSize = 18;
inline constexpr size_t ReplyLongNameOffset = 44;
inline constexpr size_t LongNameFieldSize = 64;
inline constexpr size_t ReplyReportOffset = 108;
inline constexpr size_t ReportFieldSize = 64;
inline constexpr size_t ReplyNetSwitchOffset = 18;
inline constexpr size_t ReplySubSwitchOffset = 19;
inline constexpr size_t ReplyPortCountHighOffset = 172;
inline constexpr size_t ReplyPortCountOffset = 173; // low byte of the port count
inline constexpr size_t ReplyPortTypesOffset = 174;
inline constexpr size_t ReplySwInOffset = 186;
inline constexpr size_t ReplySwOutOffset = 190;
inline constexpr size_t ReplyBindIndexOffset = 212; // Art-Net 4: which port group of the node

using PollPacket = std::array<uint8_t, PollPacketSize>;
using DmxPacket = std::array<uint8_t, DmxPacketSize>;
using ReplyPacket = std::array<uint8_t, ReplyPacketSize>;

PollPacket BuildPollPacket();

// Header with the port address from outputUniverse and 512 zero slots.
DmxPacket BuildDmxPacket(int32_t outputUniverse);

// Bytes 14 and 15: the low 16 bits of the output universe, low byte first.
void SetDmxPortAddress(DmxPacket& packet, int32_t outputUniverse);

// localAddress in network byte order (first octet first in memory). Names are empty.
ReplyPacket BuildReplyPacket(uint32_t localAddress);

// Writes both name fields: each zero-filled, then the name cut to 17 and 63 bytes
// (never in the middle of a UTF-8 character) with its NUL.
void SetReplyNames(ReplyPacket& packet, std::string_view shortName, std::string_view longName);

// A name cut to at most maxBytes bytes, backing off to the start of a UTF-8 character.
std::string CutName(std::string_view name, size_t maxBytes);

// True when the datagram is long enough and starts with "Art-Net" and its NUL.
bool IsArtnetPacket(const uint8_t* data, size_t size);

// The operation code at bytes 8 and 9, low byte first. Needs at least 10 bytes.
uint16_t OpCode(const uint8_t* data);

// A text field of a received packet: up to its first NUL, never beyond fieldSize - 1
// bytes, and never beyond the end of the datagram.
std::string ReadTextField(const uint8_t* data, size_t size, size_t offset, size_t fieldSize);
