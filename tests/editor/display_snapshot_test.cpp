// One display timer tick: the time text and its colour, the status text, the play cursor,
// paging and the scroll after a repeat restart.
#include "editor/display_snapshot.h"
#include "gui_common/colors.h"

#include <gtest/gtest.h>

TEST(DisplaySnapshotTest, TimeTextAndColour)
{
    struct Row {
        int32_t position, duration;
        const char* text;
        uint32_t color;
    };
    const Row rows[] = {
        {-2500, 60000, "-00:00:02.50", LeadInTimeColor},
        {62345, 120000, " 00:01:02.34", SoundTimeColor},
        {60010, 60000, "+00:01:00.01", RunOutTimeColor}, // the position itself, not past the end
        {60000, 60000, " 00:01:00.00", SoundTimeColor},  // the last moment is still the sound
        {0, 0, " 00:00:00.00", SoundTimeColor},
        {-3723450, 0, "-01:02:03.45", LeadInTimeColor},
        {INT32_MIN, 0, "-596:31:23.64", LeadInTimeColor},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.position);
        EXPECT_EQ(PositionText(r.position, r.duration), r.text);
        EXPECT_EQ(PositionColor(r.position, r.duration), r.color);
    }
    EXPECT_EQ(ToQColor(LeadInTimeColor), QColor(0, 128, 128));
    EXPECT_EQ(ToQColor(RunOutTimeColor), QColor(255, 0, 255));
    EXPECT_EQ(ToQColor(SoundTimeColor), QColor(255, 255, 255));
}

TEST(DisplaySnapshotTest, ColourHelperReadsRedFromTheLowByte)
{
    EXPECT_EQ(ToQColor(0x0000FF), QColor(Qt::red));
    EXPECT_EQ(ToQColor(0xFF0000), QColor(Qt::blue));
    EXPECT_EQ(ToQColor(0x123456), QColor(0x56, 0x34, 0x12));
}

TEST(DisplaySnapshotTest, NetworkAndAudioStatus)
{
    struct Row {
        bool socket;
        int nodes;
        bool audio;
        bool failing;
        const char* outputs;
        const char* text;
    };
    const Row rows[] = {
        {false, 0, true, false, "", "NET:NG  Audio:OK"},
        {false, 3, false, false, "", "NET:NG  Audio:NG"},
        {true, 0, true, false, "", "NET:--  Audio:OK"},
        {true, 1, false, false, "", "NET:OK  Audio:NG"},
        {true, 1, true, true, "", "NET:NG  Audio:OK"},
        {true, 0, true, false, "Art-Net 198.18.0.2 + sACN 1", "NET:--  Audio:OK  Art-Net 198.18.0.2 + sACN 1"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(NetAudioStatus(r.socket, r.nodes, r.audio, r.failing, r.outputs), r.text);
}

namespace {

class SnapshotTickTest : public testing::Test {
protected:
    void SetUp() override
    {
        play.PrePlayTime = 10000;
        play.SoundDuration = 600000;
        state.AudioOutputOk = true;
        in.SocketReady = true;
        in.NodeCount = 2;
        in.Axis = {0.25, 10000};
        in.ClientWidth = 1000;
    }

    PlayGlobals play;
    EngineState state{play};
    DisplayInput in;
};

} // namespace

TEST_F(SnapshotTickTest, PagesWhilePlayingOnly)
{
    play.PlayPosition = 30000; // x 1000
    in.PlayCursorX = 990;
    in.ScrollPosition = 0;
    DisplaySnapshot s = TakeDisplaySnapshot(state, in);
    EXPECT_EQ(s.TimeText, " 00:00:30.00");
    EXPECT_EQ(s.Status, "NET:OK  Audio:OK");
    EXPECT_FALSE(s.RestartScroll);
    EXPECT_TRUE(s.Cursor.Moved);
    EXPECT_EQ(s.Cursor.PlayCursorX, 1000);
    EXPECT_FALSE(s.Cursor.Pages);

    play.PlayPosition = 30040; // x 1001
    s = TakeDisplaySnapshot(state, in);
    EXPECT_FALSE(s.Cursor.Pages);
    state.AudioState = AudioStateKind::Playing;
    s = TakeDisplaySnapshot(state, in);
    EXPECT_TRUE(s.Cursor.Pages);
    EXPECT_EQ(s.Cursor.ScrollPosition, 1000);
}

// After a repeat restart the view goes back to the start of the sound first; paging is
// decided from there.
TEST_F(SnapshotTickTest, RepeatRestartScrollsBeforeTheCursorMoves)
{
    state.AudioState = AudioStateKind::Playing;
    play.PlayPosition = 0; // x 250
    in.PlayCursorX = 15000;
    in.ScrollPosition = 14500;
    in.RepeatRestarted = true;
    const DisplaySnapshot s = TakeDisplaySnapshot(state, in);
    EXPECT_EQ(s.RestartScroll, 234);
    EXPECT_EQ(s.Cursor.PlayCursorX, 250);
    EXPECT_FALSE(s.Cursor.Pages);
    EXPECT_EQ(s.Cursor.ScrollPosition, 234);
}
