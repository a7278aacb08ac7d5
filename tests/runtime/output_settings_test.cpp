// The output keys of [Option]: what a file gives, what is written, and the CID kept.
#include "runtime/output_settings.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

class OutputSettingsTest : public ::testing::Test {
protected:
    IniFile Ini(const std::string& text)
    {
        std::ofstream(dir / "lumenrill.INI") << text;
        return IniFile(dir / "lumenrill.INI");
    }
    TempDir dir;
};

TEST_F(OutputSettingsTest, DefaultsAreArtnetBroadcastAlone)
{
    const OutputConfig c = ReadOutputSettings(Ini(""));
    EXPECT_EQ(c.Artnet.Mode, ArtnetMode::Broadcast);
    EXPECT_EQ(c.Sacn.Mode, SacnMode::Off);
    EXPECT_EQ(c.Sacn.Universe, 1);
    EXPECT_EQ(c.Sacn.Priority, 100);
    EXPECT_EQ(c.Sacn.Ttl, 1);
    EXPECT_TRUE(c.Sacn.Unicast.empty());
    EXPECT_NE(c.Sacn.Cid, SacnCid{});
}

TEST_F(OutputSettingsTest, WrittenValuesReadBackAndTheCidIsKept)
{
    OutputConfig c;
    c.Artnet = {ArtnetMode::List, {0xC6120002, 0xC6120003}, "eth0"};
    c.Sacn.Mode = SacnMode::Unicast;
    c.Sacn.Universe = 63999;
    c.Sacn.Priority = 0;
    c.Sacn.Ttl = 16;
    c.Sacn.Unicast = {0x02000002, 0x0A000007};
    c.Sacn.Interface = "eth1";
    c.Sacn.Cid = NewSacnCid();
    IniFile ini = Ini("");
    WriteOutputSettings(ini, c);
    ASSERT_TRUE(ini.UpdateFile());
    const IniFile again(dir / "lumenrill.INI");
    EXPECT_EQ(again.ReadString("Option", "SacnUnicast", ""), "2.0.0.2,10.0.0.7");
    EXPECT_EQ(again.ReadString("Option", "ArtNetOutput", ""), "list");
    EXPECT_EQ(again.ReadString("Option", "ArtNetAddresses", ""), "198.18.0.2,198.18.0.3");
    EXPECT_EQ(again.ReadString("Option", "ArtNetInterface", ""), "eth0");
    const OutputConfig r = ReadOutputSettings(again);
    EXPECT_EQ(r.Artnet, c.Artnet);
    EXPECT_EQ(r.Sacn.Mode, c.Sacn.Mode);
    EXPECT_EQ(r.Sacn.Universe, c.Sacn.Universe);
    EXPECT_EQ(r.Sacn.Priority, c.Sacn.Priority);
    EXPECT_EQ(r.Sacn.Ttl, c.Sacn.Ttl);
    EXPECT_EQ(r.Sacn.Unicast, c.Sacn.Unicast);
    EXPECT_EQ(r.Sacn.Interface, c.Sacn.Interface);
    EXPECT_EQ(r.Sacn.Cid, c.Sacn.Cid);
}

TEST_F(OutputSettingsTest, UnreadableValuesGiveTheirDefaults)
{
    EXPECT_EQ(ReadOutputSettings(Ini("[Option]\nArtNetOutput=list\nArtNetAddresses=198.18.0.2,\n")).Artnet.Mode,
              ArtnetMode::Broadcast)
        << "a list without a readable address sends by the automatic rule";
    const OutputConfig c = ReadOutputSettings(Ini("[Option]\nArtNetOutput=Unicast\nSacnOutput=unicast\n"
                                                  "SacnUniverse=0\nSacnPriority=201\nSacnTtl=256\n"
                                                  "SacnUnicast=2.0.0.2,nowhere\nSacnCid=not-a-uuid\n"));
    EXPECT_EQ(c.Artnet.Mode, ArtnetMode::Broadcast) << "the words are written in lower case";
    EXPECT_EQ(c.Sacn.Mode, SacnMode::Off) << "unicast without a readable address sends nowhere";
    EXPECT_EQ(c.Sacn.Universe, 1);
    EXPECT_EQ(c.Sacn.Priority, 100);
    EXPECT_EQ(c.Sacn.Ttl, 1);
    EXPECT_TRUE(c.Sacn.Unicast.empty());
    EXPECT_NE(c.Sacn.Cid, SacnCid{});
}

} // namespace
