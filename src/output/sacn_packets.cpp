#include "output/sacn_packets.h"

#include "output/artnet_packets.h"

#include <algorithm>

namespace {

constexpr uint32_t VectorRootData = 0x00000004;
constexpr uint32_t VectorRootExtended = 0x00000008;
constexpr uint32_t VectorFramingData = 0x00000002;
constexpr uint32_t VectorFramingDiscovery = 0x00000002;
constexpr uint32_t VectorDiscoveryUniverseList = 0x00000001;
constexpr uint8_t VectorDmpSetProperty = 0x02;
constexpr uint8_t DmpAddressAndDataType = 0xA1;
constexpr size_t SourceNameOffset = 44;
constexpr size_t SourceNameSize = 64;

void Put16(uint8_t* p, uint16_t v)
{
    p[0] = uint8_t(v >> 8);
    p[1] = uint8_t(v);
}

void Put32(uint8_t* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = uint8_t(v >> (24 - 8 * i));
}

// A PDU's flags and length: the high nibble 0x7, then the length from offset to the end.
void PutFlagsAndLength(uint8_t* packet, size_t offset, size_t packetSize)
{
    Put16(packet + offset, uint16_t(0x7000 | (packetSize - offset)));
}

// Preamble and postamble sizes, the ACN packet identifier, the root vector and the CID.
void PutRootLayer(uint8_t* p, size_t packetSize, uint32_t vector, const SacnCid& cid)
{
    Put16(p + 0, 0x0010);
    Put16(p + 2, 0x0000);
    const uint8_t id[12] = {'A', 'S', 'C', '-', 'E', '1', '.', '1', '7', 0, 0, 0};
    std::copy(id, id + 12, p + 4);
    PutFlagsAndLength(p, 16, packetSize);
    Put32(p + 18, vector);
    std::copy(cid.begin(), cid.end(), p + 22);
}

void PutSourceName(uint8_t* p, std::string_view name)
{
    const std::string cut = CutName(name, SourceNameSize - 1);
    std::copy(cut.begin(), cut.end(), p + SourceNameOffset);
}

} // namespace

SacnDataPacket BuildSacnDataPacket(const SacnCid& cid, std::string_view sourceName, int32_t universe,
                                   uint8_t priority)
{
    SacnDataPacket p{};
    PutRootLayer(p.data(), p.size(), VectorRootData, cid);
    // Framing layer
    PutFlagsAndLength(p.data(), 38, p.size());
    Put32(p.data() + 40, VectorFramingData);
    PutSourceName(p.data(), sourceName);
    p[108] = priority;
    Put16(p.data() + 109, 0); // synchronization address: none
    p[SacnSequenceOffset] = 0;
    p[SacnOptionsOffset] = 0;
    Put16(p.data() + 113, uint16_t(universe));
    // DMP layer
    PutFlagsAndLength(p.data(), 115, p.size());
    p[117] = VectorDmpSetProperty;
    p[118] = DmpAddressAndDataType;
    Put16(p.data() + 119, 0x0000); // first property address
    Put16(p.data() + 121, 0x0001); // address increment
    Put16(p.data() + 123, 513);    // property value count: START code and 512 slots
    p[125] = 0x00;                 // START code: dimmer data
    return p;
}

SacnDiscoveryPacket BuildSacnDiscoveryPacket(const SacnCid& cid, std::string_view sourceName, int32_t universe)
{
    SacnDiscoveryPacket p{};
    PutRootLayer(p.data(), p.size(), VectorRootExtended, cid);
    // Framing layer
    PutFlagsAndLength(p.data(), 38, p.size());
    Put32(p.data() + 40, VectorFramingDiscovery);
    PutSourceName(p.data(), sourceName);
    Put32(p.data() + 108, 0); // reserved
    // Universe discovery layer
    PutFlagsAndLength(p.data(), 112, p.size());
    Put32(p.data() + 114, VectorDiscoveryUniverseList);
    p[118] = 0; // page
    p[119] = 0; // last page
    Put16(p.data() + 120, uint16_t(universe));
    return p;
}

uint32_t SacnMulticastAddress(int32_t universe)
{
    return 0xEFFF0000u | (uint32_t(universe) & 0xFFFF);
}
