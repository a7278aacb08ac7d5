// The sACN packets byte by byte against golden copies written out from the E1.31-2018
// layout, field by field, and the texts and checks of the output settings.
#include "output/output_config.h"
#include "output/sacn_packets.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

const SacnCid TestCid = {0x5a, 0x1f, 0x3c, 0x62, 0x8e, 0x44, 0x4b, 0x2d,
                         0x9c, 0x17, 0x01, 0x23, 0x45, 0x67, 0x89, 0xab};

Bytes Name64(const char* name)
{
    Bytes b(64, 0);
    for (size_t i = 0; name[i]; ++i)
        b[i] = uint8_t(name[i]);
    return b;
}

Bytes Join(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

TEST(SacnPackets, DataPacketMatchesTheGoldenCopy)
{
    SacnDataPacket p = BuildSacnDataPacket(TestCid, "Lumenrill", 259, 100);
    const Bytes golden = Join({
        // Root layer
        {0x00, 0x10},                                                       // 0   preamble size 16
        {0x00, 0x00},                                                       // 2   post-amble size 0
        {'A', 'S', 'C', '-', 'E', '1', '.', '1', '7', 0x00, 0x00, 0x00},    // 4   ACN packet identifier
        {0x72, 0x6e},                                                       // 16  flags 0x7, length 622 (638 - 16)
        {0x00, 0x00, 0x00, 0x04},                                           // 18  VECTOR_ROOT_E131_DATA
        Bytes(TestCid.begin(), TestCid.end()),                              // 22  CID
        // Framing layer
        {0x72, 0x58},                                                       // 38  flags 0x7, length 600 (638 - 38)
        {0x00, 0x00, 0x00, 0x02},                                           // 40  VECTOR_E131_DATA_PACKET
        Name64("Lumenrill"),                                                // 44  source name, NUL-padded
        {100},                                                              // 108 priority
        {0x00, 0x00},                                                       // 109 synchronization address: none
        {0x00},                                                             // 111 sequence number
        {0x00},                                                             // 112 options
        {0x01, 0x03},                                                       // 113 universe 259
        // DMP layer
        {0x72, 0x0b},                                                       // 115 flags 0x7, length 523 (638 - 115)
        {0x02},                                                             // 117 VECTOR_DMP_SET_PROPERTY
        {0xa1},                                                             // 118 address type and data type
        {0x00, 0x00},                                                       // 119 first property address
        {0x00, 0x01},                                                       // 121 address increment
        {0x02, 0x01},                                                       // 123 property value count 513
        {0x00},                                                             // 125 START code
        Bytes(512, 0),                                                      // 126 slots 1-512
    });
    ASSERT_EQ(golden.size(), SacnDataPacketSize);
    EXPECT_EQ(Bytes(p.begin(), p.end()), golden);
    EXPECT_EQ(SacnSlotsOffset, 126u);
    EXPECT_EQ(SacnSequenceOffset, 111u);
    EXPECT_EQ(SacnOptionsOffset, 112u);
}

TEST(SacnPackets, DiscoveryPacketMatchesTheGoldenCopy)
{
    const SacnDiscoveryPacket p = BuildSacnDiscoveryPacket(TestCid, "Lumenrill", 63999);
    const Bytes golden = Join({
        // Root layer
        {0x00, 0x10},                                                       // 0   preamble size
        {0x00, 0x00},                                                       // 2   post-amble size
        {'A', 'S', 'C', '-', 'E', '1', '.', '1', '7', 0x00, 0x00, 0x00},    // 4   ACN packet identifier
        {0x70, 0x6a},                                                       // 16  flags 0x7, length 106 (122 - 16)
        {0x00, 0x00, 0x00, 0x08},                                           // 18  VECTOR_ROOT_E131_EXTENDED
        Bytes(TestCid.begin(), TestCid.end()),                              // 22  CID
        // Framing layer
        {0x70, 0x54},                                                       // 38  flags 0x7, length 84 (122 - 38)
        {0x00, 0x00, 0x00, 0x02},                                           // 40  VECTOR_E131_EXTENDED_DISCOVERY
        Name64("Lumenrill"),                                                // 44  source name
        {0x00, 0x00, 0x00, 0x00},                                           // 108 reserved
        // Universe discovery layer
        {0x70, 0x0a},                                                       // 112 flags 0x7, length 10 (122 - 112)
        {0x00, 0x00, 0x00, 0x01},                                           // 114 VECTOR_UNIVERSE_DISCOVERY_UNIVERSE_LIST
        {0x00},                                                             // 118 page
        {0x00},                                                             // 119 last page
        {0xf9, 0xff},                                                       // 120 universe 63999
    });
    ASSERT_EQ(golden.size(), SacnDiscoveryPacketSize);
    EXPECT_EQ(Bytes(p.begin(), p.end()), golden);
}

TEST(SacnPackets, SourceNameIsCutWithoutSplittingACharacter)
{
    // 62 ASCII bytes and a three-byte character: 65 bytes, cut before the character.
    const std::string name = std::string(62, 'x') + "\xe5\x85\x89";
    const SacnDataPacket p = BuildSacnDataPacket(TestCid, name, 1, 100);
    EXPECT_EQ(p[44 + 61], 'x');
    EXPECT_EQ(p[44 + 62], 0);
    EXPECT_EQ(p[44 + 63], 0);
    EXPECT_EQ(p[108], 100) << "the priority follows the 64-byte name field";
}

TEST(SacnPackets, MulticastAddresses)
{
    struct Case {
        int32_t universe;
        const char* address;
    } cases[] = {{1, "239.255.0.1"}, {259, "239.255.1.3"}, {63999, "239.255.249.255"}, {64214, "239.255.250.214"}};
    for (const Case& c : cases)
        EXPECT_EQ(Ipv4Text(SacnMulticastAddress(c.universe)), c.address) << c.universe;
}

TEST(OutputConfig, AddressesAreFourDecimalOctets)
{
    struct Case {
        const char* text;
        bool ok;
    } cases[] = {{"2.0.0.2", true},      {"255.255.255.255", true}, {"0.0.0.0", true},    {"256.0.0.1", false},
                 {"2.0.0", false},       {"2.0.0.2.", false},       {"2.0.0.2.5", false}, {"02.0.0.0012", false},
                 {"0x2.0.0.1", false},   {" 2.0.0.1", false},       {"2..0.1", false},    {"", false},
                 {"2.0.0.-1", false},    {"node.local", false}};
    for (const Case& c : cases)
        EXPECT_EQ(ParseIpv4(c.text).has_value(), c.ok) << c.text;
    EXPECT_EQ(ParseIpv4("10.1.2.3"), 0x0A010203u);
}

TEST(OutputConfig, AddressListsNameTheFirstBadEntry)
{
    struct Case {
        const char* text;
        OutputProblem problem;
        const char* value;
        std::vector<uint32_t> addresses;
    } cases[] = {
        {"2.0.0.2", OutputProblem::None, "", {0x02000002}},
        {" 2.0.0.2 , 10.0.0.7", OutputProblem::None, "", {0x02000002, 0x0A000007}},
        {"2.0.0.2, 2.0.0.300, x", OutputProblem::Address, "2.0.0.300", {}},
        {"2.0.0.2,", OutputProblem::Address, "", {}},
        {"2.0.0.2,,2.0.0.3", OutputProblem::Address, "", {}},
        {"  ", OutputProblem::NoAddress, "", {}},
    };
    for (const Case& c : cases) {
        std::vector<uint32_t> addresses{0x01010101};
        const OutputCheck check = ParseAddressList(c.text, addresses);
        EXPECT_EQ(check.Problem, c.problem) << c.text;
        EXPECT_EQ(check.Value, c.value) << c.text;
        // A refused list leaves the old addresses.
        EXPECT_EQ(addresses, c.problem == OutputProblem::None ? c.addresses : std::vector<uint32_t>{0x01010101})
            << c.text;
    }
    EXPECT_EQ(AddressListText({0x02000002, 0x0A000007}), "2.0.0.2,10.0.0.7");
}

TEST(OutputConfig, RangesAreChecked)
{
    struct Case {
        int32_t universe, priority, ttl;
        SacnMode mode;
        OutputProblem problem;
        const char* value;
    } cases[] = {
        {1, 100, 1, SacnMode::Multicast, OutputProblem::None, ""},
        {63999, 200, 255, SacnMode::Multicast, OutputProblem::None, ""},
        {0, 0, 1, SacnMode::Multicast, OutputProblem::Universe, "0"},
        {64000, 100, 1, SacnMode::Multicast, OutputProblem::Universe, "64000"},
        {1, 201, 1, SacnMode::Multicast, OutputProblem::Priority, "201"},
        {1, -1, 1, SacnMode::Multicast, OutputProblem::Priority, "-1"},
        {1, 100, 0, SacnMode::Multicast, OutputProblem::Ttl, "0"},
        {1, 100, 1, SacnMode::Unicast, OutputProblem::NoAddress, ""},
    };
    for (const Case& c : cases) {
        SacnConfig config;
        config.Universe = c.universe;
        config.Priority = c.priority;
        config.Ttl = c.ttl;
        config.Mode = c.mode;
        const OutputCheck check = CheckSacnConfig(config);
        EXPECT_EQ(check.Problem, c.problem) << c.universe << " " << c.priority;
        EXPECT_EQ(check.Value, c.value);
    }
}

TEST(OutputConfig, CidIsARandomUuidThatReadsBack)
{
    const SacnCid a = NewSacnCid(), b = NewSacnCid();
    EXPECT_NE(a, b);
    EXPECT_EQ(a[6] >> 4, 4) << "version 4";
    EXPECT_EQ(a[8] >> 6, 2) << "RFC 4122 variant";
    EXPECT_EQ(CidText(TestCid), "5a1f3c62-8e44-4b2d-9c17-0123456789ab");
    EXPECT_EQ(ParseCid("5A1F3C62-8E44-4B2D-9C17-0123456789AB"), TestCid);
    EXPECT_EQ(ParseCid(CidText(a)), a);
    for (const char* bad : {"", "5a1f3c62-8e44-4b2d-9c17-0123456789a", "5a1f3c628e444b2d9c170123456789ab0000",
                            "5a1f3c62-8e44-4b2d-9c17-0123456789ag", "00000000-0000-0000-0000-000000000000"})
        EXPECT_FALSE(ParseCid(bad)) << bad;
}

TEST(OutputConfig, SummaryNamesWhatIsSentAndWhere)
{
    struct Case {
        ArtnetMode artnet;
        SacnMode sacn;
        const char* summary;
    } cases[] = {
        {ArtnetMode::Broadcast, SacnMode::Off, "Art-Net 198.19.255.255 (eth0)"},
        {ArtnetMode::Off, SacnMode::Off, "Art-Net off"},
        {ArtnetMode::Broadcast, SacnMode::Multicast, "Art-Net 198.19.255.255 (eth0) + sACN 7"},
        {ArtnetMode::Unicast, SacnMode::Unicast, "Art-Net 198.19.255.255 (eth0) + sACN 7 unicast"},
        {ArtnetMode::Off, SacnMode::Multicast, "sACN 7"},
    };
    for (const Case& c : cases) {
        OutputConfig config;
        config.Artnet.Mode = c.artnet;
        config.Sacn.Mode = c.sacn;
        config.Sacn.Universe = 7;
        EXPECT_EQ(OutputSummary(config, "198.19.255.255 (eth0)"), c.summary);
    }
}

} // namespace
