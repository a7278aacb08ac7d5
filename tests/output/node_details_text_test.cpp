// The node details texts: the information rows and the port cells.
#include "output/node_details_text.h"

#include <gtest/gtest.h>

namespace {

TEST(NodeDetailsText, InformationRows)
{
    NodeEntry node;
    node.address = {2, 0, 0, 10};
    node.shortName = "Node A";
    node.longName = "A long name";
    node.nodeReport = "#0001 [0001] fine";
    const NodeDetailsText t = MakeNodeDetailsText(node);
    EXPECT_EQ(t.Info[0].Label, "IP Address");
    EXPECT_EQ(t.Info[0].Value, "  2.  0.  0. 10");
    EXPECT_EQ(t.Info[1].Label, "Short Name");
    EXPECT_EQ(t.Info[1].Value, "Node A");
    EXPECT_EQ(t.Info[2].Label, "Long Name");
    EXPECT_EQ(t.Info[2].Value, "A long name");
    EXPECT_EQ(t.Info[3].Label, "Node Report");
    EXPECT_EQ(t.Info[3].Value, "#0001 [0001] fine");

    EXPECT_EQ(NodeAddressText({192, 168, 255, 1}), "192.168.255.  1");
    EXPECT_EQ(NodeAddressText({0, 0, 0, 0}), "  0.  0.  0.  0");
}

TEST(NodeDetailsText, PortCells)
{
    struct Case {
        uint8_t type, swIn, swOut;
        const char* in;
        const char* out;
    } cases[] = {
        {0x00, 0x35, 0x35, "", ""},            // neither input nor output
        {0x40, 0x35, 0x12, "3 : 5", ""},       // input only
        {0x80, 0x35, 0x12, "", "1 : 2"},       // output only
        {0xC0, 0x0F, 0xF0, "0 : F", "F : 0"},  // both, upper-case digits
        {0xC5, 0xAB, 0x00, "A : B", "0 : 0"},  // the protocol bits do not hide a port
        {0x3F, 0x11, 0x22, "", ""},            // protocol bits alone
    };
    for (const Case& c : cases) {
        NodeEntry node;
        node.portTypes = {0, 0, c.type, 0};
        node.swIn = {0x99, 0x99, c.swIn, 0x99};
        node.swOut = {0x99, 0x99, c.swOut, 0x99};
        const NodeDetailsText t = MakeNodeDetailsText(node);
        EXPECT_EQ(t.PortIn[2], c.in) << int(c.type);
        EXPECT_EQ(t.PortOut[2], c.out) << int(c.type);
        for (size_t other : {0u, 1u, 3u}) {
            EXPECT_EQ(t.PortIn[other], "");
            EXPECT_EQ(t.PortOut[other], "");
        }
    }
}

} // namespace
