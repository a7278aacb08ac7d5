#pragma once
// The texts of the node details dialog for one discovered node: the information grid
// (label and value per row) and the port grid's cells, one per port.

#include "output/node_table.h"

#include <array>
#include <cstdint>
#include <string>

struct NodeDetailsText {
    struct InfoRow {
        std::string Label;
        std::string Value;
    };
    std::array<InfoRow, 4> Info; // address, short name, long name, node report
    // The port address of each input and output port; empty where the port type says
    // the port does not input (bit 6) or output (bit 7) DMX.
    std::array<std::string, 4> PortIn;
    std::array<std::string, 4> PortOut;
};

// "%3u.%3u.%3u.%3u": each octet right-aligned in three characters.
std::string NodeAddressText(const std::array<uint8_t, 4>& address);
// A port address as sub-net and universe id: two upper-case hexadecimal digits with
// " : " between them (0x35 gives "3 : 5").
std::string PortAddressText(uint8_t portAddress);

NodeDetailsText MakeNodeDetailsText(const NodeEntry& node);
