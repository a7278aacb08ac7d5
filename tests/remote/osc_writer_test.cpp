// OSC messages as they leave the program, byte for byte.
#include "remote/osc_feedback.h"
#include "remote/osc_unit.h"
#include "remote/osc_writer.h"

#include <gtest/gtest.h>

namespace {

std::string Text(const std::vector<uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

} // namespace

TEST(OscWriter, GoldenPackets)
{
    using namespace std::string_literals;
    struct Case {
        std::vector<uint8_t> bytes;
        std::string expected;
    };
    const Case cases[] = {
        // An address of 16 characters takes four NULs; a string of 7 one.
        {StateMessage(ShowState::Playing), "/lumenrill/state\0\0\0\0,s\0\0playing\0"s},
        {StateMessage(ShowState::LeadIn), "/lumenrill/state\0\0\0\0,s\0\0leadin\0\0"s},
        // -1.5 = 0xBFC00000, big-endian.
        {TimeMessage(-1500), "/lumenrill/time\0,f\0\0\xBF\xC0\0\0"s},
        // 90.5 = 0x42B50000.
        {ShowMessage("Show", 90500), "/lumenrill/show\0,sf\0Show\0\0\0\0\x42\xB5\0\0"s},
        {ShowMessage("", 0), "/lumenrill/show\0,sf\0\0\0\0\0\0\0\0\0"s},
        {EncodeOscMessage("/lumenrill/error", {"/lumenrill/next"s, "unknown address"s}),
         "/lumenrill/error\0\0\0\0,ss\0/lumenrill/next\0unknown address\0"s},
        {EncodeOscMessage("/lumenrill/ok", {"/lumenrill/stop"s}), "/lumenrill/ok\0\0\0,s\0\0/lumenrill/stop\0"s},
        // 0x01020304 and -2 as two's complement.
        {EncodeOscMessage("/x", {int32_t(0x01020304), int32_t(-2)}), "/x\0\0,ii\0\x01\x02\x03\x04\xFF\xFF\xFF\xFE"s},
        // A NUL would end the string early: the text stops there and the packet stays whole.
        {EncodeOscMessage("/x", {"a\0b"s}), "/x\0\0,s\0\0a\0\0\0"s},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Text(c.bytes), c.expected);
        EXPECT_EQ(c.bytes.size() % 4, 0u);
    }
}

TEST(OscWriter, OurOwnDecoderReadsWhatIsWritten)
{
    TOscUnit unit;
    ASSERT_TRUE(unit.Decode(EncodeOscMessage("/lumenrill/show", {std::string("夜の部"), 12.25f, int32_t(-9)})));
    EXPECT_EQ(unit.Address, "/lumenrill/show");
    EXPECT_EQ(unit.TypeTag, ",sfi");
    EXPECT_EQ(unit.StringArgs[0], "夜の部");
    EXPECT_EQ(unit.FloatArgs[0], 12.25f);
    EXPECT_EQ(unit.IntArgs[0], -9);
}
