// The live status line of lumenrill-cli play: rewritten in place on a terminal, absent from a log.
#include "cli/live_status.h"

#include <gtest/gtest.h>

#include <sstream>

TEST(LiveStatus, Text)
{
    EXPECT_EQ(PlayStatusText(83450, AudioStateKind::Playing, false, "show.PRJ"), "00:01:23.45  playing  show.PRJ");
    // The lead-in runs on the clock before the sound plays.
    EXPECT_EQ(PlayStatusText(-1500, AudioStateKind::Paused, true, "a.PRJ"), "-00:00:01.50  playing  a.PRJ");
    EXPECT_EQ(PlayStatusText(0, AudioStateKind::Paused, false, "a.PRJ"), "00:00:00.00  paused  a.PRJ");
    EXPECT_EQ(PlayStatusText(0, AudioStateKind::None, false, "a.PRJ"), "00:00:00.00  stopped  a.PRJ");
}

TEST(LiveStatus, OnATerminalTheLineIsRewrittenAndOtherLinesGoAboveIt)
{
    std::ostringstream out;
    LiveStatusLine live(out, true);
    live.Show("A");
    live.Show("A"); // unchanged: nothing written
    live.Show("B");
    live.Print("Play Top");
    live.End();
    EXPECT_EQ(out.str(), "\r\x1b[KA\r\x1b[KB\r\x1b[KPlay Top\nB\n");
}

TEST(LiveStatus, IntoALogOnlyPlainLines)
{
    std::ostringstream out;
    LiveStatusLine live(out, false);
    live.Show("A");
    live.Print("Play Top");
    live.End();
    EXPECT_EQ(out.str(), "Play Top\n");
}
