// The arithmetic of step positions on the panes, as tables.
#include "editor/step_geometry.h"

#include <gtest/gtest.h>

namespace {

TEST(StepGeometryTest, RowsAndBrightnessesOfTheLane)
{
    struct Case {
        int32_t brightness;
        int height;
        int row;
    };
    // half = 100: row = trunc(100 - b / 255 x 100).
    for (const Case& c : {Case{255, 200, 0}, Case{0, 200, 100}, Case{-255, 200, 200}, Case{100, 200, 60},
                          Case{-100, 200, 139}, Case{1, 201, 99}})
        EXPECT_EQ(RowOfBrightness(c.brightness, c.height), c.row) << c.brightness << " " << c.height;
    // brightness = trunc((half - y) x 255 / half), within -255..255.
    EXPECT_EQ(BrightnessOfRow(60, 200), 102) << "a click on a box rounds through its row";
    EXPECT_EQ(BrightnessOfRow(140, 200), -102);
    EXPECT_EQ(BrightnessOfRow(-5, 200), 255);
    EXPECT_EQ(BrightnessOfRow(260, 200), -255);
    EXPECT_EQ(BrightnessOfRow(0, 1), 0) << "no rows to divide by";

    EXPECT_EQ(StepBox(50, 100, 200), (PixelRect{42, 52, 58, 68}));
    EXPECT_EQ(StepBox(50, -100, 200), (PixelRect{42, 132, 58, 148})) << "one pixel lower below the centre";
    EXPECT_EQ(MarkerBox(50), (PixelRect{42, 26, 58, 42}));
    EXPECT_EQ(SpanOf(30, 5, 10, 20), (PixelRect{10, 5, 30, 20}));
}

TEST(StepGeometryTest, FindStepNearCountsStepsWithinEightPixelsInListOrder)
{
    // 1 pixel per 10 ms, 1 s of lead-in: steps at x 200, 205, 214 and 400.
    const TimeAxis axis{1.0, 1000};
    TStepList line(4);
    const int32_t times[] = {1000, 1050, 1140, 3000};
    for (size_t i = 0; i < line.size(); ++i)
        line[i].Time = times[i];
    EXPECT_EQ(FindStepNear(line, 207, 0, axis), 0);
    EXPECT_EQ(FindStepNear(line, 207, 1, axis), 1);
    EXPECT_EQ(FindStepNear(line, 207, 2, axis), 2);
    EXPECT_EQ(FindStepNear(line, 207, 3, axis), -1);
    EXPECT_EQ(FindStepNear(line, 208, 0, axis), 1) << "exactly 8 pixels away is not near";
    EXPECT_EQ(FindStepNear(line, 300, 0, axis), -1);
    EXPECT_EQ(FindStepNear({}, 300, 0, axis), -1);
    EXPECT_EQ(FirstStepFromX(line, 206, axis), 2u);
    EXPECT_EQ(FirstStepFromX(line, 500, axis), 4u);
}

TEST(StepGeometryTest, AllLinesRowsAtTheSmallestAndTheDefaultHeight)
{
    const AllLinesRows small = AllLinesLayout(30);
    EXPECT_EQ(small.RowHeight, 3);
    EXPECT_EQ(small.BandHalf, 4) << "bands of neighbouring rows overlap";
    EXPECT_EQ(small.Centre(1), 9);
    const AllLinesRows tall = AllLinesLayout(200);
    EXPECT_EQ(tall.RowHeight, 24);
    EXPECT_EQ(tall.BandHalf, 10);
    EXPECT_EQ(tall.BoxHalf, 8);
}

} // namespace
