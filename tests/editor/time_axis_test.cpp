// The canvas time axis, the scroll range, ApplyScale's arithmetic and paging, as tables.
#include "editor/time_axis.h"
#include "editor/waveform_layout.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

TEST(TimeAxisTest, TimeToXAndBackTruncateTowardZero)
{
    struct Row {
        double scale;
        int32_t pre;
        int32_t t;
        int x;      // XOfTime(t)
        int32_t back; // TimeOfX(x)
    };
    const Row rows[] = {
        {0.25, 10000, -10000, 0, -10000},
        {0.25, 10000, 0, 250, 0},
        {0.25, 10000, 1234, 280, 1200},     // 280.85 -> 280; 280 / 0.025 = 11200
        {0.25, 10000, -10039, 0, -10000},   // -0.975 truncates toward zero, to 0
        {1.0, 0, 15, 1, 10},
        {4.0, 3000, 17, 1206, 3015 - 3000}, // 1206.8 -> 1206; 1206 / 0.4 = 3015
        {0.0001, 0, 3600000, 36, 3599999},  // an hour at the smallest ladder step; 36 / 1e-5 falls short
    };
    for (const Row& r : rows) {
        const TimeAxis axis{r.scale, r.pre};
        SCOPED_TRACE(testing::Message() << "scale " << r.scale << " pre " << r.pre << " t " << r.t);
        EXPECT_EQ(axis.XOfTime(r.t), r.x);
        EXPECT_EQ(axis.TimeOfX(r.x), r.back);
    }
}

TEST(TimeAxisTest, TruncToIntStaysInRange)
{
    EXPECT_EQ(TruncToInt(-2.7), -2);
    EXPECT_EQ(TruncToInt(2.7), 2);
    EXPECT_EQ(TruncToInt(1e20), INT_MAX);
    EXPECT_EQ(TruncToInt(-1e20), INT_MIN);
    EXPECT_EQ(TruncToInt(std::nan("")), 0);
    // A scale of 0 maps every x to the far end instead of an undefined conversion.
    EXPECT_EQ(TimeAxis({0.0, 0}).TimeOfX(5), INT32_MAX);
}

TEST(TimeAxisTest, ScrollRangeAndFitScale)
{
    struct Row {
        int32_t pre, post;
        size_t frames;
        int64_t hundredths;
        double scale;
        int range;
        int width;
        double fit;
    };
    const Row rows[] = {
        {10000, 10000, 6000, 8000, 0.25, 2000, 1000, 0.125},
        {1500, 999, 300, 200 + 300, 1.0, 500, 250, 0.5}, // 2.499 s of lead-in and run-out: 2 s
        {0, 0, 0, 0, 0.25, 0, 1000, 1.0},               // no timeline
        {0, 0, 400, 400, 0.25, 100, 0, 1.0},            // no width yet
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "pre " << r.pre << " post " << r.post << " frames " << r.frames);
        const int64_t l = TimelineHundredths(r.pre, r.post, r.frames);
        EXPECT_EQ(l, r.hundredths);
        EXPECT_EQ(ScrollRangeFor(r.scale, l), r.range);
        EXPECT_DOUBLE_EQ(FitScaleFor(r.width, l), r.fit);
    }
}

TEST(TimeAxisTest, PointerXIsLimitedToTheCanvas)
{
    EXPECT_EQ(PointerX(30, 100, 1000), 130);
    EXPECT_EQ(PointerX(-5, 0, 1000), 0);
    EXPECT_EQ(PointerX(300, 900, 1000), 1000);
}

// A ten-minute sound with 10 s of lead-in and run-out, in a 1000-pixel view: the play
// cursor at 30 s stands 400 pixels from the left edge before each change of scale.
TEST(TimeAxisTest, ApplyScaleKeepsThePlayCursorOnScreen)
{
    struct Row {
        double from, to;
        int cursorBefore, scrollBefore; // under `from`
        int cursor, scroll, range;
    };
    const Row rows[] = {
        {0.25, 0.5, 1000, 600, 2000, 1600, 31000},
        {0.25, 0.1, 1000, 600, 400, 0, 6200},  // the cursor stays at 400 with the view at 0
        {0.1, 0.05, 400, 0, 200, 0, 3100},     // 400 would need a scroll of -200
        {0.5, 4.0, 2000, 1600, 16000, 15600, 248000},
        {0.25, 0.25, 1000, 999, 1000, 999, 15500},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.from << " -> " << r.to);
        ApplyScaleInput in;
        in.Scale = r.to;
        in.PlayCursorX = r.cursorBefore;
        in.ScrollPosition = r.scrollBefore;
        in.PlayPosition = 30000;
        in.PrePlayTime = 10000;
        in.PostPlayTime = 10000;
        in.FrameCount = 60000;
        in.ClientWidth = 1000;
        const ApplyScaleResult out = ApplyScale(in);
        EXPECT_EQ(out.PlayCursorX, r.cursor);
        EXPECT_EQ(out.ScrollPosition, r.scroll);
        EXPECT_EQ(out.ScrollRange, r.range);
        EXPECT_DOUBLE_EQ(out.FitScale, 1000.0 / 62000);
        EXPECT_DOUBLE_EQ(out.PixelsPerMs, r.to * 0.1);
    }
}

TEST(TimeAxisTest, PlayCursorPagesOnlyWhilePlayingPastTheRightEdge)
{
    struct Row {
        int cursor, newX, scroll;
        bool playing;
        bool moved, pages;
        int scrollAfter;
    };
    const Row rows[] = {
        {500, 500, 0, true, false, false, 0},     // unchanged: nothing, not even paging
        {500, 1001, 0, true, true, true, 1000},
        {500, 1000, 0, true, true, false, 0},     // on the right edge still counts as inside
        {500, 1001, 0, false, true, false, 0},    // stopped: the view stays
        {3000, 2100, 2000, true, true, false, 2000}, // backwards never pages
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.cursor << " -> " << r.newX << " at " << r.scroll);
        const PlayCursorMove m = MovePlayCursor(r.cursor, r.newX, r.scroll, 1000, r.playing);
        EXPECT_EQ(m.Moved, r.moved);
        EXPECT_EQ(m.PlayCursorX, r.moved ? r.newX : r.cursor);
        EXPECT_EQ(m.Pages, r.pages);
        EXPECT_EQ(m.ScrollPosition, r.scrollAfter);
    }
}

TEST(TimeAxisTest, SoundEdgeScrollsAndWheelSteps)
{
    EXPECT_EQ(SoundStartScroll({0.25, 10000}), 234);
    EXPECT_EQ(SoundStartScroll({0.25, 0}), 0);
    EXPECT_EQ(SoundEndScroll({0.25, 10000}, 10000, 15500, 1000), 15500 - 1000 - 250 + 16);
    EXPECT_EQ(WheelScrollPixels(0.25, false), 12);
    EXPECT_EQ(WheelScrollPixels(0.25, true), 50);
    EXPECT_EQ(WheelScrollPixels(0.0001, true), 0);
}

TEST(WaveformLayoutTest, MonoAndStereo)
{
    const WaveformLayout stereo = LayOutWaveforms(176, 8, 176, false);
    EXPECT_EQ(stereo.WaveHeight, 360);
    EXPECT_EQ(stereo.LeftHeight, 176);
    EXPECT_EQ(stereo.RightHeight, 176);
    EXPECT_EQ(stereo.LeftHeaderHeight, 184);
    EXPECT_EQ(stereo.RightHeaderHeight, 184);
    EXPECT_STREQ(stereo.LeftCaption, "L");
    EXPECT_STREQ(stereo.RightCaption, "R");

    // The mono command narrows the bevel to 2 and gives the right pane the 6 pixels.
    const WaveformLayout mono = LayOutWaveforms(176, 2, 182, true);
    EXPECT_EQ(mono.WaveHeight, 360);
    EXPECT_EQ(mono.LeftHeight, 2);
    EXPECT_EQ(mono.RightHeight, 356);
    EXPECT_EQ(mono.LeftHeaderHeight, 4);
    EXPECT_EQ(mono.RightHeaderHeight, 364);
    EXPECT_STREQ(mono.LeftCaption, "");
    EXPECT_STREQ(mono.RightCaption, "L+R");

    EXPECT_EQ(LayOutWaveforms(100, 8, 101, false).LeftHeight, 100); // odd heights round down
}
