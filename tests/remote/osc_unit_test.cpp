#include "osc_builder.h"
#include "remote/osc_unit.h"

#include <gtest/gtest.h>

#include <bit>

TEST(OscUnit, DecodesTheFirstMessageOfABundle)
{
    OscMessage m{"/lumenrill/play"};
    m.Int(-2).Float(1.5f).String("00:01:30.50").Int(0x01020304).String("");
    Datagram d = Bundle(m);
    const Datagram second = OscMessage{"/lumenrill/stop"}.Bytes();
    d.insert(d.end(), second.begin(), second.end()); // later elements are ignored

    TOscUnit unit;
    ASSERT_TRUE(unit.Decode(d));
    EXPECT_EQ(unit.Address, "/lumenrill/play");
    EXPECT_EQ(unit.TypeTag, ",ifsis");
    EXPECT_EQ(unit.ElementSize, int32_t(m.Bytes().size()));
    ASSERT_EQ(unit.IntCount, 2);
    EXPECT_EQ(unit.IntArgs[0], -2);
    EXPECT_EQ(unit.IntArgs[1], 0x01020304);
    ASSERT_EQ(unit.FloatCount, 1);
    EXPECT_EQ(unit.FloatArgs[0], 1.5f);
    ASSERT_EQ(unit.StringCount, 2);
    EXPECT_EQ(unit.StringArgs[0], "00:01:30.50");
    EXPECT_EQ(unit.StringArgs[1], "");
    EXPECT_EQ(unit.ErrorText, "");
}

TEST(OscUnit, APlainMessageIsReadAsABundlesFirstMessage)
{
    OscMessage m{"/lumenrill/play"};
    m.Float(0.25f).String("top").Int(-7);
    TOscUnit unit;
    ASSERT_TRUE(unit.Decode(Bundle(m)));
    ASSERT_TRUE(unit.Decode(m.Bytes()));
    EXPECT_EQ(unit.Address, "/lumenrill/play");
    EXPECT_EQ(unit.TypeTag, ",fsi");
    EXPECT_EQ(unit.ElementSize, 0) << "a plain message has no element size";
    EXPECT_EQ(unit.FloatArgs[0], 0.25f);
    EXPECT_EQ(unit.StringArgs[0], "top");
    EXPECT_EQ(unit.IntArgs[0], -7);

    // The smallest: an address and an empty type tag, as oscsend sends one.
    Datagram smallest = OscMessage{"/a"}.Bytes();
    ASSERT_EQ(smallest.size(), 8u);
    ASSERT_TRUE(unit.Decode(smallest));
    EXPECT_EQ(unit.Address, "/a");
    EXPECT_EQ(unit.TypeTag, ",");
}

TEST(OscUnit, RefusesWhatIsNoBundleOrHasNoTypeTag)
{
    struct Case {
        const char* name;
        Datagram bytes;
        const char* error;
        const char* address;
    };
    Datagram typeTagLess;
    AppendOscString(typeTagLess, "#bundle");
    typeTagLess.resize(16, 0);
    AppendBigEndian(typeTagLess, 20);
    AppendOscString(typeTagLess, "/lumenrill/play");
    Datagram badTag = Bundle(OscMessage{"/lumenrill/pause", "xyz"});
    Datagram notOsc = OscMessage{"lumenrill/play/without/its/slash"}.Bytes();
    Datagram plainShort = {'/', 'a', 0};
    Datagram big(1025, 0);
    Datagram small = Bundle(OscMessage{"/a"});
    small.resize(23);

    const Case cases[] = {
        {"empty", {}, "", ""},
        {"neither message nor bundle", notOsc, "", ""},
        {"message too small", plainShort, "受信サイズが小さすぎます", ""},
        {"too large", big, "受信サイズが大きすぎます", ""},
        {"too small", small, "受信サイズが小さすぎます", ""},
        {"no type tag", typeTagLess, "TypeTagがありません", "/lumenrill/play"},
        {"bad type tag", badTag, "不正なTypeTagです", "/lumenrill/pause"},
    };
    for (const Case& c : cases) {
        TOscUnit unit;
        unit.ErrorText = "old";
        EXPECT_FALSE(unit.Decode(c.bytes)) << c.name;
        EXPECT_EQ(unit.ErrorText, c.error) << c.name;
        EXPECT_EQ(unit.Address, c.address) << c.name;
        EXPECT_EQ(unit.IntCount + unit.FloatCount + unit.StringCount, 0) << c.name;
    }
}

TEST(OscUnit, LimitsAndTruncatedArguments)
{
    OscMessage many{"/lumenrill/play"};
    for (int i = 0; i < 40; ++i)
        many.String("s" + std::to_string(i)).Int(i);
    TOscUnit unit;
    ASSERT_TRUE(unit.Decode(Bundle(many)));
    EXPECT_EQ(unit.StringCount, 32);
    EXPECT_EQ(unit.StringArgs[31], "s31");
    EXPECT_EQ(unit.IntCount, 32);
    EXPECT_EQ(unit.IntArgs[31], 31);

    // Arguments promised by the type tag but missing from the datagram read as 0 / empty,
    // and nothing of an earlier, longer datagram shows through.
    OscMessage cut{"/lumenrill/play", ",iiisf"};
    Datagram d = Bundle(cut);
    AppendBigEndian(d, 7);
    d.push_back(0xAA);
    ASSERT_TRUE(unit.Decode(d));
    EXPECT_EQ(unit.IntArgs[0], 7);
    EXPECT_EQ(unit.IntArgs[1], 0);
    EXPECT_EQ(unit.IntArgs[2], 0);
    EXPECT_EQ(unit.StringArgs[0], "");
    EXPECT_EQ(unit.FloatArgs[0], 0.0f);

    // A string without terminator stops at 32 groups (128 bytes).
    Datagram longString;
    AppendOscString(longString, "#bundle");
    longString.resize(20, 0);
    longString.insert(longString.end(), 200, 'a');
    ASSERT_FALSE(unit.Decode(longString)); // the type tag then starts with 'a'
    EXPECT_EQ(unit.Address, std::string(128, 'a'));
    EXPECT_EQ(unit.ErrorText, "不正なTypeTagです");
}

TEST(OscUnit, ArgumentsOfEveryTypeArePassedOverWhole)
{
    // Each type that is not kept, between kept ones: what follows it still reads right.
    Datagram blob;
    AppendBigEndian(blob, 5);
    blob.insert(blob.end(), {1, 2, 3, 4, 5, 0, 0, 0});
    struct Case {
        char type;
        Datagram bytes;
    };
    const Case cases[] = {
        {'d', Datagram(8, 0x40)}, {'h', Datagram(8, 0x7F)}, {'t', Datagram(8, 0x01)}, {'b', blob},
        {'c', Datagram(4, 'x')},  {'r', Datagram(4, 0xFF)}, {'m', Datagram(4, 0x90)}, {'S', {'s', 'y', 'm', 0}},
        {'T', {}},                {'N', {}},
    };
    for (const Case& c : cases) {
        OscMessage m{"/lumenrill/play", std::string(",i") + c.type + "sf"};
        AppendBigEndian(m.args, 7);
        m.args.insert(m.args.end(), c.bytes.begin(), c.bytes.end());
        AppendOscString(m.args, "top");
        AppendBigEndian(m.args, std::bit_cast<uint32_t>(2.5f));
        TOscUnit unit;
        ASSERT_TRUE(unit.Decode(m.Bytes())) << c.type;
        EXPECT_EQ(unit.IntCount, 1) << c.type;
        EXPECT_EQ(unit.IntArgs[0], 7) << c.type;
        ASSERT_EQ(unit.StringCount, 1) << c.type;
        EXPECT_EQ(unit.StringArgs[0], "top") << c.type;
        ASSERT_EQ(unit.FloatCount, 1) << c.type;
        EXPECT_EQ(unit.FloatArgs[0], 2.5f) << c.type;
    }

    // A blob whose size runs past the datagram ends the reading: nothing after it is made up.
    OscMessage cut{"/lumenrill/play", ",bs"};
    AppendBigEndian(cut.args, 4000);
    AppendOscString(cut.args, "top");
    TOscUnit unit;
    ASSERT_TRUE(unit.Decode(cut.Bytes()));
    EXPECT_EQ(unit.StringArgs[0], "");

    // Past the limit of kept arguments the rest are still passed over.
    OscMessage many{"/lumenrill/play"};
    for (int i = 0; i < 40; ++i)
        many.Int(i);
    many.String("last");
    ASSERT_TRUE(unit.Decode(many.Bytes()));
    EXPECT_EQ(unit.IntCount, 32);
    EXPECT_EQ(unit.StringArgs[0], "last");
}

TEST(OscUnit, ABundleInsideABundleIsReadInOrder)
{
    const Datagram play = OscMessage{"/lumenrill/play"}.String("top").Bytes();
    const Datagram stop = OscMessage{"/lumenrill/stop"}.Bytes();
    const Datagram empty = BundleOf({});
    struct Case {
        const char* name;
        Datagram bytes;
        const char* address;
    };
    const Case cases[] = {
        {"inner bundle first", BundleOf({BundleOf({play, stop}), stop}), "/lumenrill/play"},
        {"three deep", BundleOf({BundleOf({BundleOf({play})})}), "/lumenrill/play"},
        {"an empty bundle gives way to the next element", BundleOf({empty, play}), "/lumenrill/play"},
        {"an empty inner bundle at its parent's end", BundleOf({BundleOf({empty}), play}), "/lumenrill/play"},
        {"nothing but empty bundles", BundleOf({empty, empty}), ""},
    };
    for (const Case& c : cases) {
        TOscUnit unit;
        unit.Decode(c.bytes);
        EXPECT_EQ(unit.Address, c.address) << c.name;
        if (*c.address) {
            EXPECT_EQ(unit.StringArgs[0], "top") << c.name;
        }
    }
}
