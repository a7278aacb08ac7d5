#include "document/line_cursor.h"
#include "document_fixture.h"
#include "support/reference_evaluation.h"

#include <cmath>
#include <random>

TEST_F(DocumentTest, EvaluateLineBlendsBetweenStepsAndHoldsAfterTheLast)
{
    Fill(0, {{1000, 0x0000FF, 0}, {2000, 0xFF0000, 100}});
    struct Case {
        int32_t t;
        ColorPair expected;
        uint32_t output;
    };
    const Case cases[] = {
        {999, {NoColor, 0}, 0x000000},
        {1000, {0x0000FF, 0}, 0x0000FF},
        {1500, {0x7F007F, 50}, 0x983298},
        {1999, {0xFE0000, 99}, 0xFE6363},
        {2000, {0xFF0000, 100}, 0xFF6464},
        {999999, {0xFF0000, 100}, 0xFF6464},
    };
    for (const Case& c : cases) {
        const ColorPair got = doc.EvaluateLine(0, c.t);
        EXPECT_EQ(got, c.expected) << c.t;
        EXPECT_EQ(ApplyBrightness(got.Color, got.Brightness), c.output) << c.t;
    }
    EXPECT_EQ(doc.EvaluateLine(1, 1500), (ColorPair{NoColor, 0})) << "empty line";
    EXPECT_EQ(doc.EvaluateLine(8, 1500), (ColorPair{NoColor, 0}));
    EXPECT_EQ(doc.EvaluateLine(-1, 1500), (ColorPair{NoColor, 0}));
}

TEST_F(DocumentTest, EvaluateLineEdgeCasesOfStoredData)
{
    // Brightness truncates toward zero: -100 to 0 at x = 0.505 gives -49.
    Fill(0, {{0, 0, -100}, {1000, 0, 0}});
    EXPECT_EQ(doc.EvaluateLine(0, 505).Brightness, -49);

    // A stored duration shorter than the gap (files keep durations as stored): from
    // Time + Duration on, the next step's values.
    doc.Lines[1] = {TStepRec{.Line = 1, .Time = 0, .Duration = 100, .Color = 0x0000FF},
                    TStepRec{.Line = 1, .Time = 1000, .Color = 0x00FF00}};
    EXPECT_EQ(doc.EvaluateLine(1, 50).Color, 0x007F7Fu);
    EXPECT_EQ(doc.EvaluateLine(1, 100).Color, 0x00FF00u);

    // A NoColor step reads as white when blending; two steps at one time jump there.
    doc.Lines[2] = {TStepRec{.Line = 2, .Time = 0, .Duration = 1000, .Color = NoColor},
                    TStepRec{.Line = 2, .Time = 1000, .Duration = 0, .Color = 0x000000},
                    TStepRec{.Line = 2, .Time = 1000, .Duration = 1000, .Color = 0x0000FF},
                    TStepRec{.Line = 2, .Time = 2000, .Color = 0x0000FF}};
    EXPECT_EQ(doc.EvaluateLine(2, 500).Color, 0x7F7F7Fu);
    EXPECT_EQ(doc.EvaluateLine(2, 1000).Color, 0x0000FFu);
}

TEST(Color, ApplyBrightnessFadeToGrayAndHueRamp)
{
    EXPECT_EQ(ApplyBrightness(0x0064C8, -128), 0x003163u);
    EXPECT_EQ(ApplyBrightness(NoColor, 0), 0u);
    EXPECT_EQ(ApplyBrightness(NoColor, 255), 0xFFFFFFu);
    for (uint32_t c : {0x000000u, 0x123456u, 0xFFFFFFu}) {
        EXPECT_EQ(ApplyBrightness(c, 255), 0xFFFFFFu);
        EXPECT_EQ(ApplyBrightness(c, -255), 0u);
        EXPECT_EQ(ApplyBrightness(c, 0), c);
    }
    // Out-of-range brightness (a file may hold any) stays within a channel.
    EXPECT_EQ(ApplyBrightness(0x808080, 600), 0xFFFFFFu);
    EXPECT_EQ(ApplyBrightness(0x808080, -600), 0u);
    EXPECT_EQ(ApplyBrightness(0x808080, 2000000000), 0xFFFFFFu);
    EXPECT_EQ(ApplyBrightness(0x808080, -2000000000), 0u);
    EXPECT_EQ(HueRamp(std::nan("")), 0x0000FFu);
    EXPECT_EQ(FadeToGray(0x0000FF, std::nan("")), 0x0000FFu);

    const std::pair<double, uint32_t> hues[] = {
        {0, 0x0000FF}, {0.25, 0x00FFC0}, {0.5, 0x7FFF00}, {0.75, 0xFF4000}, {1, 0xFF00FF}};
    for (auto [f, c] : hues)
        EXPECT_EQ(HueRamp(f), c) << f;

    EXPECT_EQ(FadeToGray(0x0000FF, 0.5), 0x4040BFu);
    EXPECT_EQ(FadeToGray(0xFFFFFF, 1), 0x808080u);
    EXPECT_EQ(FadeToGray(NoColor, 0.25), 0x202020u);
    EXPECT_EQ(FadeToGray(0x0000FF, 7), 0x808080u);
    EXPECT_EQ(FadeToGray(0x0000FF, -1), 0x0000FFu);
}

// The binary search and the column cursor must agree with the plain walk from the
// first step, on random lines with duplicate times and stored durations.

TEST_F(DocumentTest, SearchAndCursorMatchTheWalkFromTheFirstStep)
{
    std::mt19937 rng(7);
    for (int round = 0; round < 20; ++round) {
        TStepList line;
        const int count = int(rng() % 60);
        for (int i = 0; i < count; ++i)
            line.push_back(TStepRec{.Time = int32_t(rng() % 4000) - 1000,
                                    .Color = uint32_t(rng() & 0xFFFFFF),
                                    .Brightness = int32_t(rng() % 511) - 255});
        doc.Lines[0] = line;
        doc.Normalize();
        if (round % 3 == 0 && count > 2)
            doc.Lines[0][1].Duration /= 2; // a file's stale duration
        const TStepList& l = doc.Lines[0];
        LineCursor cursor(l);
        for (int32_t t = -1200; t < 3200; t += 7) {
            const ColorPair expected = WalkFromFirst(l, t);
            ASSERT_EQ(doc.EvaluateLine(0, t), expected) << t;
            ASSERT_EQ(cursor.At(t), expected) << t;
        }
        // Going back restarts the search.
        EXPECT_EQ(cursor.At(-5), WalkFromFirst(l, -5));
    }
}
