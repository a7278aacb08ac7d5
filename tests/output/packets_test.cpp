// The bytes of the three packets this program sends, and how received text fields are cut.
#include "output/artnet_packets.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

const Bytes Id = {'A', 'r', 't', '-', 'N', 'e', 't', 0};

template <size_t N>
Bytes ToBytes(const std::array<uint8_t, N>& a) { return Bytes(a.begin(), a.end()); }

TEST(ArtnetPackets, PollIsFourteenFixedBytes)
{
    Bytes expected = Id;
    expected.insert(expected.end(), {0x00, 0x20, 0, 14, 0x02, 0});
    EXPECT_EQ(ToBytes(BuildPollPacket()), expected);
}

TEST(ArtnetPackets, DmxHeaderCarriesPortAddressLowByteFirst)
{
    const DmxPacket p = BuildDmxPacket(3 * 16 + 5);
    Bytes expected = Id;
    expected.insert(expected.end(), {0x00, 0x50, 0, 14, 0, 0, 0x35, 0x00, 2, 0});
    expected.resize(DmxPacketSize, 0);
    EXPECT_EQ(ToBytes(p), expected);

    DmxPacket q = p;
    SetDmxPortAddress(q, 0x1234); // only the low 16 bits, low byte first
    EXPECT_EQ(q[14], 0x34);
    EXPECT_EQ(q[15], 0x12);
}

TEST(ArtnetPackets, PollReplyLayout)
{
    ReplyPacket p = BuildReplyPacket(inet_addr("2.77.0.1"));
    SetReplyNames(p, "Lumenrill", "Lumenrill long");

    Bytes expected(ReplyPacketSize, 0);
    std::copy(Id.begin(), Id.end(), expected.begin());
    expected[8] = 0x00;
    expected[9] = 0x21;
    expected[10] = 2;
    expected[11] = 77;
    expected[12] = 0;
    expected[13] = 1;
    expected[14] = 0x36;
    expected[15] = 0x19;
    expected[21] = 2; // OEM code low
    const std::string shortName = "Lumenrill", longName = "Lumenrill long";
    std::copy(shortName.begin(), shortName.end(), expected.begin() + 26);
    std::copy(longName.begin(), longName.end(), expected.begin() + 44);
    expected[108] = 'O';
    expected[109] = 'K';
    EXPECT_EQ(ToBytes(p), expected);
}

TEST(ArtnetPackets, NamesAreCutAndFieldsZeroFilled)
{
    ReplyPacket p = BuildReplyPacket(0);
    SetReplyNames(p, std::string(30, 'S'), std::string(100, 'L'));
    EXPECT_EQ(std::string(p.begin() + 26, p.begin() + 26 + 18), std::string(17, 'S') + '\0');
    EXPECT_EQ(std::string(p.begin() + 44, p.begin() + 44 + 64), std::string(63, 'L') + '\0');

    // A shorter name later leaves no trace of the longer one; an empty name an empty field.
    SetReplyNames(p, "ab", "");
    EXPECT_EQ(std::string(p.begin() + 26, p.begin() + 26 + 18), std::string("ab") + std::string(16, '\0'));
    EXPECT_EQ(std::string(p.begin() + 44, p.begin() + 44 + 64), std::string(64, '\0'));
    EXPECT_EQ(p[108], 'O'); // the report behind the names is untouched
}

TEST(ArtnetPackets, CutNameNeverSplitsACharacter)
{
    // 16 ASCII bytes then a 3-byte character: 17 bytes would end inside it.
    const std::string name = std::string(16, 'a') + "照明";
    EXPECT_EQ(CutName(name, 17), std::string(16, 'a'));
    EXPECT_EQ(CutName("照明", 6), "照明");
    EXPECT_EQ(CutName("short", 17), "short");
}

TEST(ArtnetPackets, ReceivedTextFields)
{
    Bytes d(40, 0);
    const std::string full = "ABCDEFGHIJ"; // fills a 10-byte field without a NUL
    std::copy(full.begin(), full.end(), d.begin() + 20);
    EXPECT_EQ(ReadTextField(d.data(), d.size(), 20, 10), "ABCDEFGHI");
    d[23] = 0;
    EXPECT_EQ(ReadTextField(d.data(), d.size(), 20, 10), "ABC");
    // The datagram ends inside the field: only what arrived is read.
    d[23] = 'D';
    EXPECT_EQ(ReadTextField(d.data(), 25, 20, 10), "ABCDE");
    EXPECT_EQ(ReadTextField(d.data(), 15, 20, 10), "");
}

TEST(ArtnetPackets, IdentifierAndLength)
{
    Bytes poll = ToBytes(BuildPollPacket());
    EXPECT_TRUE(IsArtnetPacket(poll.data(), poll.size()));
    EXPECT_EQ(OpCode(poll.data()), OpPoll);
    EXPECT_FALSE(IsArtnetPacket(poll.data(), 13));
    poll[7] = ' ';
    EXPECT_FALSE(IsArtnetPacket(poll.data(), poll.size()));
}

} // namespace
