#include "output/artnet_packets.h"

#include <arpa/inet.h>

#include <algorithm>

namespace {

constexpr uint8_t ProtocolVersionLow = 14;
constexpr uint8_t PollFlagsTalkToMe = 0x02;
constexpr uint8_t OemCodeLow = 2;

void PutId(uint8_t* p)
{
    const char id[8] = {'A', 'r', 't', '-', 'N', 'e', 't', '\0'};
    std::copy(id, id + 8, p);
}

void PutOpCode(uint8_t* p, uint16_t op)
{
    p[8] = uint8_t(op);
    p[9] = uint8_t(op >> 8);
}

} // namespace

PollPacket BuildPollPacket()
{
    PollPacket p{};
    PutId(p.data());
    PutOpCode(p.data(), OpPoll);
    p[10] = 0;
    p[11] = ProtocolVersionLow;
    p[12] = PollFlagsTalkToMe;
    p[13] = 0; // priority
    return p;
}

DmxPacket BuildDmxPacket(int32_t outputUniverse)
{
    DmxPacket p{};
    PutId(p.data());
    PutOpCode(p.data(), OpDmx);
    p[10] = 0;
    p[11] = ProtocolVersionLow;
    p[12] = 0; // sequence off
    p[13] = 0; // physical port
    SetDmxPortAddress(p, outputUniverse);
    p[16] = uint8_t(DmxDataSize >> 8);
    p[17] = uint8_t(DmxDataSize);
    return p;
}

void SetDmxPortAddress(DmxPacket& packet, int32_t outputUniverse)
{
    const auto port = static_cast<uint16_t>(outputUniverse);
    packet[14] = uint8_t(port);
    packet[15] = uint8_t(port >> 8);
}

ReplyPacket BuildReplyPacket(uint32_t localAddress)
{
    ReplyPacket p{};
    PutId(p.data());
    PutOpCode(p.data(), OpPollReply);
    const uint32_t host = ntohl(localAddress);
    for (int i = 0; i < 4; ++i)
        p[ReplyAddressOffset + i] = uint8_t(host >> (24 - 8 * i));
    p[ReplyPortOffset] = uint8_t(ArtnetPort);
    p[ReplyPortOffset + 1] = uint8_t(ArtnetPort >> 8);
    p[21] = OemCodeLow;
    p[ReplyReportOffset] = 'O';
    p[ReplyReportOffset + 1] = 'K';
    return p;
}

std::string CutName(std::string_view name, size_t maxBytes)
{
    if (name.size() <= maxBytes)
        return std::string(name);
    size_t n = maxBytes;
    // Back off over continuation bytes so no character is split.
    while (n > 0 && (uint8_t(name[n]) & 0xC0) == 0x80)
        --n;
    return std::string(name.substr(0, n));
}

void SetReplyNames(ReplyPacket& packet, std::string_view shortName, std::string_view longName)
{
    const auto put = [&](size_t offset, size_t fieldSize, std::string_view name) {
        std::fill_n(packet.data() + offset, fieldSize, uint8_t(0));
        const std::string cut = CutName(name, fieldSize - 1);
        std::copy(cut.begin(), cut.end(), packet.data() + offset);
    };
    put(ReplyShortNameOffset, ShortNameFieldSize, shortName);
    put(ReplyLongNameOffset, LongNameFieldSize, longName);
}

bool IsArtnetPacket(const uint8_t* data, size_t size)
{
    const char id[8] = {'A', 'r', 't', '-', 'N', 'e', 't', '\0'};
    return size >= MinPacketSize && std::equal(id, id + 8, data);
}

uint16_t OpCode(const uint8_t* data) { return uint16_t(data[8] | data[9] << 8); }

std::string ReadTextField(const uint8_t* data, size_t size, size_t offset, size_t fieldSize)
{
    std::string text;
    for (size_t i = 0; i + 1 < fieldSize && offset + i < size && data[offset + i] != 0; ++i)
        text.push_back(char(data[offset + i]));
    return text;
}
