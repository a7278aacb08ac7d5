#include "engine/dmx_frame.h"

#include <gtest/gtest.h>

TEST(DmxFrame, PatchAndLoadCheck)
{
    PlayGlobals play;
    const auto through = ThroughPatch();
    for (int i = 0; i < DmxSlots; ++i)
        play.DmxPatch[size_t(i)] = through[size_t(i)];
    LineColors colors{};
    for (int l = 0; l < LineCount; ++l)
        colors[size_t(l)] = PackColor(uint32_t(10 * l + 1), uint32_t(10 * l + 2), uint32_t(10 * l + 3));
    play.DmxPatch[99] = 7;   // line 3 green on slot 100
    play.DmxPatch[100] = 30; // a source beyond the eight lines sends 0
    play.DmxPatch[101] = -1;
    play.DmxPatch[102] = 600;

    uint8_t frame[DmxSlots];
    BuildDmxFrame(colors, play.DmxPatch, CheckGroupOff, frame);
    EXPECT_EQ(frame[0], 1);
    EXPECT_EQ(frame[2], 3);
    EXPECT_EQ(frame[23], 73);
    EXPECT_EQ(frame[24], 0);
    EXPECT_EQ(frame[99], 22);
    EXPECT_EQ(frame[100], 0);
    EXPECT_EQ(frame[101], 0);
    EXPECT_EQ(frame[102], 0);

    BuildDmxFrame(colors, play.DmxPatch, 0, frame);
    EXPECT_EQ(frame[0], 255);
    EXPECT_EQ(frame[2], 255);
    EXPECT_EQ(frame[3], 11);
    BuildDmxFrame(colors, play.DmxPatch, 170, frame);
    EXPECT_EQ(frame[509], 0);
    EXPECT_EQ(frame[510], 255);
    EXPECT_EQ(frame[511], 255);
    EXPECT_EQ(frame[0], 1);
}
