#include "output/node_details_text.h"

#include <cstdio>

namespace {

constexpr uint8_t PortInputBit = 0x40;
constexpr uint8_t PortOutputBit = 0x80;

} // namespace

std::string NodeAddressText(const std::array<uint8_t, 4>& address)
{
    char text[16];
    std::snprintf(text, sizeof text, "%3u.%3u.%3u.%3u", address[0], address[1], address[2], address[3]);
    return text;
}

std::string PortAddressText(uint8_t portAddress)
{
    char text[8];
    std::snprintf(text, sizeof text, "%X : %X", unsigned(portAddress >> 4), unsigned(portAddress & 0x0F));
    return text;
}

NodeDetailsText MakeNodeDetailsText(const NodeEntry& node)
{
    NodeDetailsText t;
    t.Info = {{{"IP Address", NodeAddressText(node.address)},
               {"Short Name", node.shortName},
               {"Long Name", node.longName},
               {"Node Report", node.nodeReport}}};
    for (size_t i = 0; i < 4; ++i) {
        if (node.portTypes[i] & PortInputBit)
            t.PortIn[i] = PortAddressText(node.swIn[i]);
        if (node.portTypes[i] & PortOutputBit)
            t.PortOut[i] = PortAddressText(node.swOut[i]);
    }
    return t;
}
