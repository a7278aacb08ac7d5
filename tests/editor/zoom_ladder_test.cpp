// The zoom ladder: strict steps, the ends, and when each command is enabled.
#include "editor/zoom_ladder.h"

#include <gtest/gtest.h>

TEST(ZoomLadderTest, StepsInAndOut)
{
    struct Row {
        double scale;
        double in, out; // out with a FitScale of 0.00005
    };
    const Row rows[] = {
        {0.3, 0.5, 0.25},
        {0.25, 0.5, 0.1},       // on the ladder: the next value, not the same one
        {0.0123, 0.025, 0.01},  // a fitted scale moves to the nearest value either way
        {2.0, 4.0, 1.5},
        {3.0, 4.0, 2.0},
        {4.0, 4.0, 2.0},
        {0.0005, 0.001, 0.0001},
        {0.0001, 0.0005, 0.00005}, // below the ladder: FitScale
        {0.00002, 0.0001, 0.00005},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.scale);
        EXPECT_DOUBLE_EQ(ZoomInScale(r.scale), r.in);
        EXPECT_DOUBLE_EQ(ZoomOutScale(r.scale, 0.00005), r.out);
    }
}

TEST(ZoomLadderTest, Enabling)
{
    EXPECT_TRUE(ZoomInEnabled(3.99, true));
    EXPECT_FALSE(ZoomInEnabled(4.0, true));
    EXPECT_FALSE(ZoomInEnabled(0.25, false));

    struct Row {
        double scale, fit;
        bool enabled;
    };
    const Row rows[] = {
        {0.0001, 0.0002, false}, // the bottom of the ladder, and the timeline fits already
        {0.0001, 0.00005, true}, // the timeline needs more: out goes to FitScale
        {0.001, 0.5, false},     // short sounds stop at 0.001
        {0.005, 0.5, true},
        {0.00005, 0.00005, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.scale << " fit " << r.fit);
        EXPECT_EQ(ZoomOutEnabled(r.scale, r.fit, true), r.enabled);
    }
    EXPECT_FALSE(ZoomOutEnabled(1.0, 0.5, false));
    EXPECT_TRUE(ZoomFitEnabled(true));
    EXPECT_FALSE(ZoomFitEnabled(false));
}
