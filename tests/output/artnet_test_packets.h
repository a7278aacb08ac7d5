#pragma once
// ArtPollReply packets laid out by hand for the tests, as a node would send them.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

struct NodeReply {
    std::array<uint8_t, 4> address{2, 0, 0, 2};
    std::string shortName = "SimNode";
    std::string longName = "Simulated node";
    std::string report = "#0001 [0000] ready";
    uint8_t ports = 1;
    uint8_t net = 0, sub = 0; // bits 14-8 and 7-4 of every port's Port-Address
    uint8_t bindIndex = 0;
    std::array<uint8_t, 4> portTypes{};
    std::array<uint8_t, 4> swIn{};
    std::array<uint8_t, 4> swOut{};
};

inline Bytes ReplyBytes(const NodeReply& s)
{
    Bytes b(239, 0); // a node may send the older, shorter form
    const std::string id = "Art-Net";
    std::copy(id.begin(), id.end(), b.begin());
    b[8] = 0x00;
    b[9] = 0x21;
    std::copy(s.address.begin(), s.address.end(), b.begin() + 10);
    b[14] = 0x36;
    b[15] = 0x19;
    std::copy(s.shortName.begin(), s.shortName.end(), b.begin() + 26);
    std::copy(s.longName.begin(), s.longName.end(), b.begin() + 44);
    std::copy(s.report.begin(), s.report.end(), b.begin() + 108);
    b[18] = s.net;
    b[19] = s.sub;
    b[173] = s.ports;
    b[212] = s.bindIndex;
    std::copy(s.portTypes.begin(), s.portTypes.end(), b.begin() + 174);
    std::copy(s.swIn.begin(), s.swIn.end(), b.begin() + 186);
    std::copy(s.swOut.begin(), s.swOut.end(), b.begin() + 190);
    return b;
}

inline Bytes PollBytes()
{
    return {'A', 'r', 't', '-', 'N', 'e', 't', 0, 0x00, 0x20, 0, 14, 0x02, 0};
}
