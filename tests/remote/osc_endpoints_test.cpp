#include "remote/osc_endpoints.h"

#include <gtest/gtest.h>

TEST(OscEndpoints, EndpointLists)
{
    struct Case {
        const char* text;
        const char* normal; // the list written back, or nullptr when refused
        const char* bad = "";
    };
    const Case cases[] = {
        {"", ""},
        {"192.168.1.20:9000", "192.168.1.20:9000"},
        {" 10.0.0.1:1 ,10.0.0.2:65535\t127.0.0.1:8000,", "10.0.0.1:1, 10.0.0.2:65535, 127.0.0.1:8000"},
        {"10.0.0.1:9000, 10.0.0.2", nullptr, "10.0.0.2"},
        {"10.0.0.1:0", nullptr, "10.0.0.1:0"},
        {"10.0.0.1:65536", nullptr, "10.0.0.1:65536"},
        {"10.0.0.256:9000", nullptr, "10.0.0.256:9000"},
        {"10.0.0:9000", nullptr, "10.0.0:9000"},
        {"10.0.0.1.2:9000", nullptr, "10.0.0.1.2:9000"},
        {"tablet.local:9000", nullptr, "tablet.local:9000"},
        {"10.0.0.1:+90", nullptr, "10.0.0.1:+90"},
        {"10.0.0.1:", nullptr, "10.0.0.1:"},
    };
    for (const Case& c : cases) {
        const ParsedList<OscEndpoint> list = ParseEndpointList(c.text);
        if (c.normal) {
            EXPECT_FALSE(list.bad) << c.text;
            EXPECT_EQ(EndpointListText(list.items), c.normal);
        } else {
            ASSERT_TRUE(list.bad) << c.text;
            EXPECT_EQ(*list.bad, c.bad);
            EXPECT_TRUE(list.items.empty());
        }
    }
}

TEST(OscEndpoints, AllowListsAndWhoTheyLetIn)
{
    const ParsedList<AddressRange> list = ParseRangeList("192.168.1.77/24, 10.0.0.5 172.16.0.0/12");
    ASSERT_FALSE(list.bad);
    EXPECT_EQ(RangeListText(list.items), "192.168.1.0/24, 10.0.0.5, 172.16.0.0/12") << "host bits of a range go";
    struct Case {
        const char* address;
        bool allowed;
    };
    for (const Case& c : {Case{"192.168.1.0", true}, Case{"192.168.1.255", true}, Case{"192.168.2.1", false},
                          Case{"10.0.0.5", true}, Case{"10.0.0.6", false}, Case{"172.31.255.255", true},
                          Case{"172.32.0.0", false}}) {
        EXPECT_EQ(Allowed(list.items, *ParseIpv4(c.address)), c.allowed) << c.address;
    }
    EXPECT_TRUE(Allowed({}, *ParseIpv4("8.8.8.8"))) << "no list: anyone";
    const ParsedList<AddressRange> all = ParseRangeList("0.0.0.0/0");
    EXPECT_TRUE(Allowed(all.items, *ParseIpv4("203.0.113.9")));

    for (const char* bad : {"10.0.0.0/33", "10.0.0.0/", "10.0.0.0/-1", "10.0.0", "10.0.0.0/8/8", "::1", "a.b.c.d"}) {
        const ParsedList<AddressRange> refused = ParseRangeList(std::string("10.1.1.1, ") + bad);
        ASSERT_TRUE(refused.bad) << bad;
        EXPECT_EQ(*refused.bad, bad);
    }
}
