// The playback tick step by step, on a fake player and a fake millisecond clock.
#include "engine_fixture.h"

#include <algorithm>

#include "support/test_support.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST_F(EngineTest, InitialValues)
{
    EXPECT_EQ(play.PlayPosition, 0);
    EXPECT_EQ(play.PrePlayTime, 10000);
    EXPECT_EQ(play.PostPlayTime, 10000);
    EXPECT_EQ(state.AudioPosition, 0);
    EXPECT_EQ(state.TotalLength, 0);
    EXPECT_FALSE(state.ClockRunning);
    EXPECT_FALSE(state.AudioOutputOk);
    EXPECT_EQ(state.PreviewColor, NoColor);
    EXPECT_EQ(play.CheckGroup, CheckGroupOff);
    EXPECT_STREQ(AudioStateText(state.AudioState), "");
    for (auto& c : state.LineOutput)
        EXPECT_EQ(c, 0u);
}

TEST_F(EngineTest, AudioStateWords)
{
    const std::pair<int, const char*> cases[] = {{0, "stopped"}, {1, "paused"}, {2, "playing"}, {-1, ""}, {3, ""}};
    for (auto [word, text] : cases)
        EXPECT_STREQ(AudioStateText(AudioStateFromPlayer(word)), text) << word;
}

TEST_F(EngineTest, OpenReadsTheSoundAndClearsTheRequest)
{
    play.PrePlayTime = 2000;
    play.PostPlayTime = 3000;
    OpenSound(60000);
    EXPECT_FALSE(state.OpenAudioRequest);
    EXPECT_TRUE(state.AudioOutputOk);
    EXPECT_EQ(play.SoundDuration, 60000);
    EXPECT_EQ(state.TotalLength, 65000);
    EXPECT_TRUE(errors.Empty());
    Tick();
    EXPECT_STREQ(AudioStateText(state.AudioState), "stopped");
    EXPECT_THAT(Calls(), ElementsAre("open show.wav"));

    // Opening again replaces the player; closing drops it.
    OpenSound(1000, "other.wav");
    EXPECT_THAT(Calls(), ElementsAre("close", "open other.wav"));
    EXPECT_EQ(play.SoundDuration, 1000);
    state.CloseAudioRequest = true;
    Tick();
    EXPECT_FALSE(state.CloseAudioRequest);
    EXPECT_FALSE(state.AudioOutputOk);
    EXPECT_THAT(Calls(), ElementsAre("close"));
    Tick();
    EXPECT_STREQ(AudioStateText(state.AudioState), "");
}

// A sound that takes a while to open: the frames go on meanwhile (here the preview colour,
// new at every tick), the open's request stays set until it has taken effect, and a seek
// and a play posted during it are carried out after it, in that order.
TEST_F(EngineTest, ASlowOpenKeepsTheFramesAndHoldsLaterRequests)
{
    play.DmxPatch[0] = 0;
    audio.sounds["show.wav"] = FakeSound{60000, {}, 0, 3};
    state.SetSoundPath("show.wav");
    state.OpenAudioRequest = true;
    for (uint8_t red = 1; red <= 3; ++red) {
        state.PreviewColor = PackColor(red, 0, 0);
        Tick();
        EXPECT_EQ(frame[0], red);
        EXPECT_TRUE(state.OpenAudioRequest) << "tick " << int(red);
        EXPECT_EQ(play.SoundDuration, 0);
        if (red == 2) {
            state.PostSeek(1500);
            state.RunRequest = true;
        }
    }
    EXPECT_THAT(Calls(), ElementsAre("open show.wav"));
    EXPECT_TRUE(state.RunRequest);
    state.PreviewColor = NoColor;
    Tick();
    EXPECT_FALSE(state.OpenAudioRequest);
    EXPECT_EQ(play.SoundDuration, 60000);
    EXPECT_THAT(Calls(), ElementsAre("Seek(1500)", "Run"));
    EXPECT_FALSE(state.RunRequest);
    EXPECT_FALSE(state.SeekPending());
    Tick();
    EXPECT_EQ(play.PlayPosition, 1520);
}

TEST_F(EngineTest, FailedOpenIsPostedAndTheUnreadyPlayerStays)
{
    RecordingMessages messages;
    audio.sounds["bad.mp3"] = FakeSound{0, "初期化に失敗しました"};
    audio.outputOk = false;
    state.SetSoundPath("bad.mp3");
    state.OpenAudioRequest = true;
    Tick();
    EXPECT_EQ(play.SoundDuration, 0);
    EXPECT_FALSE(state.AudioOutputOk);
    // Posted, not shown on the worker.
    EXPECT_TRUE(messages.entries.empty());
    errors.ShowAll();
    ASSERT_EQ(messages.entries.size(), 2u);
    EXPECT_EQ(messages.entries[0].text, "初期化に失敗しました");
    EXPECT_EQ(messages.entries[0].caption, "エラー");
    EXPECT_EQ(messages.entries[1].text, "オーディオ出力が無効です");
    EXPECT_TRUE(errors.Empty());

    state.RunRequest = true;
    Tick();
    EXPECT_THAT(Calls(), ElementsAre("open bad.mp3", "Run"));
}

TEST_F(EngineTest, OpenWithoutASoundPathOnlyTestsTheOutput)
{
    state.OpenAudioRequest = true;
    Tick();
    EXPECT_THAT(Calls(), IsEmpty());
    EXPECT_TRUE(state.AudioOutputOk);
    EXPECT_TRUE(errors.Empty());
}

TEST_F(EngineTest, RequestsWithoutAPlayerAreCleared)
{
    const uint32_t seek = state.PostSeek(500);
    for (auto* flag : {&state.RunRequest, &state.RestartRequest, &state.StopRequest,
                       &state.PauseRequest, &state.CloseAudioRequest})
        *flag = true;
    Tick();
    EXPECT_TRUE(state.SeekTaken(seek));
    EXPECT_FALSE(state.SeekPending());
    EXPECT_FALSE(state.RunRequest);
    EXPECT_FALSE(state.StopRequest);
    EXPECT_FALSE(state.PauseRequest);
    EXPECT_FALSE(state.CloseAudioRequest);
    // Restart waits behind run.
    EXPECT_TRUE(state.RestartRequest);
    Tick();
    EXPECT_FALSE(state.RestartRequest);
}

// The lead-in: the player is readied late in it and started so that its 0 is heard when
// the clock reaches 0; the play position never jumps at the hand-over once the start time
// is known, and the first hand-over measures it.
TEST_F(EngineTest, LeadInHandsOverToTheSoundWithoutAJump)
{
    audio.sounds["show.wav"] = FakeSound{60000, {}, 40}; // heard 40 ms after Run
    state.SetSoundPath("show.wav");
    state.OpenAudioRequest = true;
    Tick();
    Calls();

    // Every tick's play position, from the clock's start until a few ticks after the player
    // has taken over.
    const auto leadIn = [&](int32_t from) {
        std::vector<int32_t> positions;
        play.PlayPosition = from;
        state.StartClock(from);
        int after = 0;
        for (int i = 0; i < 1000 && after < 3; ++i) {
            Tick();
            positions.push_back(play.PlayPosition);
            if (!state.ClockRunning)
                ++after;
        }
        return positions;
    };
    const auto largestJump = [](const std::vector<int32_t>& positions) {
        int32_t jump = 0;
        for (size_t i = 1; i < positions.size(); ++i)
            jump = std::max(jump, std::abs(positions[i] - positions[i - 1] - 20));
        return jump;
    };

    // The first: started 10 ms ahead (the usual start time), heard 40 ms later; the clock
    // runs on until the sound moves, then slows down to meet it.
    EXPECT_EQ(playback.StartLatency(), Playback::DefaultStartLatencyMs);
    std::vector<int32_t> first = leadIn(-1000);
    EXPECT_THAT(Calls(), ElementsAre("Seek(0)", "Run"));
    EXPECT_EQ(playback.StartLatency(), 40);
    EXPECT_LE(largestJump(first), Playback::LeadInNudgeMs);
    EXPECT_EQ(first.back(), state.AudioPosition);

    // From then on the player starts 40 ms early, on a clock lined up with the ticks (this
    // one starts off the grid): no step differs from 20 ms by more than the nudge.
    state.StopRequest = true;
    Tick();
    Calls();
    std::vector<int32_t> second = leadIn(-1007);
    EXPECT_THAT(Calls(), ElementsAre("Seek(0)", "Run"));
    EXPECT_LE(largestJump(second), Playback::LeadInNudgeMs);
    const auto handOver = std::find_if(second.begin(), second.end(), [](int32_t p) { return p >= 0; });
    ASSERT_NE(handOver, second.end());
    EXPECT_EQ(*(handOver - 1) + 20, *handOver);
    EXPECT_EQ(second.back(), state.AudioPosition) << "the player has taken over";
    EXPECT_STREQ(AudioStateText(state.AudioState), "playing");
}

// A short sound that ends before the clock has met it (its start took far longer than the
// last): the run-out still runs on the clock and the show ends.
TEST_F(EngineTest, ASoundThatEndsDuringTheHandOverStillEndsTheShow)
{
    audio.sounds["short.wav"] = FakeSound{200, {}, 90};
    state.SetSoundPath("short.wav");
    state.OpenAudioRequest = true;
    Tick();
    play.PostPlayTime = 300;
    const uint32_t endsBefore = state.ShowEnds;
    play.PlayPosition = -400;
    state.StartClock(-400);
    for (int i = 0; i < 200 && state.ShowEnds == endsBefore; ++i)
        Tick();
    EXPECT_NE(state.ShowEnds, endsBefore) << "stuck at " << play.PlayPosition;
    EXPECT_GE(play.PlayPosition, 500) << "the run-out was played to its end";
}

// A pause or a stop between the start of the player and its sound being heard puts the
// player back; going on starts it again. Without an output the lead-in ends at exactly 0
// as it always did.
TEST_F(EngineTest, LeadInPausedOrStoppedWhileTheSoundStarts)
{
    audio.sounds["show.wav"] = FakeSound{60000, {}, 30};
    state.SetSoundPath("show.wav");
    state.OpenAudioRequest = true;
    Tick();
    Calls();
    play.PlayPosition = -65;
    state.StartClock(-65);
    Tick(3);
    EXPECT_THAT(Calls(), ElementsAre("Seek(0)", "Run"));
    Tick();
    ASSERT_TRUE(state.PauseClock());
    Tick();
    EXPECT_THAT(Calls(), ElementsAre("Stop"));
    const int32_t held = play.PlayPosition;
    EXPECT_LT(held, 0);
    Tick(5);
    EXPECT_EQ(play.PlayPosition, held) << "the clock holds";
    EXPECT_STREQ(AudioStateText(state.AudioState), "stopped");
    ASSERT_TRUE(state.PauseClock());
    Tick();
    EXPECT_THAT(Calls(), ElementsAre("Seek(0)", "Run"));
    state.StopClock();
    state.StopRequest = true;
    Tick();
    EXPECT_THAT(Calls(), ElementsAre("Stop", "Stop")) << "put back, then the request";

    state.AudioOutputOk = false;
    play.PlayPosition = -30;
    state.StartClock(-30);
    Tick(1, 30);
    EXPECT_EQ(play.PlayPosition, 0);
    EXPECT_FALSE(state.ClockRunning);
    EXPECT_THAT(Calls(), ElementsAre("Seek(0)", "Run"));
}

TEST_F(EngineTest, InsideTheSoundThePositionFollowsThePlayer)
{
    OpenSound(60000);
    state.RunRequest = true;
    Tick();
    Tick(5);
    EXPECT_EQ(play.PlayPosition, 100);
    // Without an output the position inside the sound reads 0.
    state.AudioOutputOk = false;
    Tick();
    EXPECT_EQ(play.PlayPosition, 0);
}

TEST_F(EngineTest, StopHoldsThePositionAndPauseResumeTakeTurns)
{
    OpenSound(60000);
    state.RunRequest = true;
    Tick(51);
    EXPECT_EQ(play.PlayPosition, 1000);
    Calls();
    state.StopRequest = true;
    Tick(3); // the first still reads the player before stopping it
    EXPECT_THAT(Calls(), ElementsAre("Stop"));
    EXPECT_EQ(play.PlayPosition, 1020);
    EXPECT_STREQ(AudioStateText(state.AudioState), "stopped");

    state.RunRequest = true;
    Tick(2);
    // Pause and resume posted together: the resume waits a tick.
    state.PauseRequest = true;
    state.ResumeRequest = true;
    Tick();
    EXPECT_THAT(Calls(), ElementsAre("Run", "Pause"));
    EXPECT_TRUE(state.ResumeRequest);
    Tick();
    EXPECT_THAT(Calls(), ElementsAre("Run"));
    EXPECT_FALSE(state.ResumeRequest);

    // A pause while paused, a resume while playing: cleared, nothing done.
    state.PauseRequest = true;
    Tick();
    EXPECT_THAT(Calls(), ElementsAre("Pause"));
    state.PauseRequest = true;
    Tick();
    state.RunRequest = true;
    Tick();
    state.ResumeRequest = true;
    Tick();
    EXPECT_THAT(Calls(), ElementsAre("Run"));
    EXPECT_FALSE(state.PauseRequest);
    EXPECT_FALSE(state.ResumeRequest);
}

TEST_F(EngineTest, SeekOnlyWhenThePlayerStandsElsewhere)
{
    OpenSound(60000);
    Calls();
    const uint32_t first = state.PostSeek(1500);
    EXPECT_EQ(play.PlayPosition, 1500) << "the position moves at once, before any tick";
    EXPECT_FALSE(state.SeekTaken(first));
    Tick();
    EXPECT_THAT(Calls(), ElementsAre("Seek(1500)"));
    EXPECT_EQ(state.AudioPosition, 1500);
    EXPECT_EQ(play.PlayPosition, 1500);
    EXPECT_TRUE(state.SeekTaken(first));
    const uint32_t again = state.PostSeek(1500);
    Tick();
    EXPECT_THAT(Calls(), IsEmpty());
    EXPECT_TRUE(state.SeekTaken(again));
    EXPECT_FALSE(state.SeekPending());
}

// The seek and its target are one value: whatever runs in between, the last seek posted is
// the one that lands, and every waiter sees its seek taken.
TEST_F(EngineTest, TheLastSeekPostedWins)
{
    OpenSound(60000);
    Calls();

    // A tick between the position's store and anything else a caller does.
    state.PostSeek(2500);
    Tick();
    EXPECT_THAT(Calls(), ElementsAre("Seek(2500)"));
    EXPECT_EQ(play.PlayPosition, 2500);

    // Two seeks in one frame: one seek, to the second target; both count as taken.
    const uint32_t a = state.PostSeek(4000);
    const uint32_t b = state.PostSeek(7000);
    Tick();
    EXPECT_THAT(Calls(), ElementsAre("Seek(7000)"));
    EXPECT_EQ(play.PlayPosition, 7000);
    EXPECT_TRUE(state.SeekTaken(a));
    EXPECT_TRUE(state.SeekTaken(b));
    Tick();
    EXPECT_EQ(play.PlayPosition, 7000) << "the standing player's position is the target now";
}

// A seek posted while the tick is publishing the one before: the tick may write the older
// target after the caller's store, but the newer seek stays pending and lands next tick.
TEST_F(EngineTest, ASeekPostedDuringTheTicksPublishLandsNextTick)
{
    uint32_t newer = 0;
    audio.onSeek = [&] {
        if (!newer)
            newer = state.PostSeek(9000);
    };
    OpenSound(60000);
    Calls();
    const uint32_t older = state.PostSeek(3000);
    Tick();
    EXPECT_TRUE(state.SeekTaken(older));
    EXPECT_FALSE(state.SeekTaken(newer));
    EXPECT_TRUE(state.SeekPending());
    EXPECT_EQ(play.PlayPosition, 3000) << "the older seek's publish";
    Tick();
    EXPECT_TRUE(state.SeekTaken(newer));
    EXPECT_EQ(play.PlayPosition, 9000);
    EXPECT_THAT(Calls(), ElementsAre("Seek(3000)", "Seek(9000)"));
}

// A seek and a start take a while to take effect. Meanwhile the play position holds the
// seek's target (whatever the player reports), the requests carried out stay set, so that a
// waiter sees them done only once they are, and a request posted meanwhile waits its turn.
TEST_F(EngineTest, RequestsAreClearedOnceTheyHaveTakenEffect)
{
    audio.sounds["show.wav"] = FakeSound{60000, {}, 0, 0, 50};
    state.SetSoundPath("show.wav");
    state.OpenAudioRequest = true;
    Tick();
    Calls();

    const uint32_t seek = state.PostSeek(5000);
    Tick();
    EXPECT_THAT(Calls(), ElementsAre("Seek(5000)"));
    state.RunRequest = true;
    Tick(2);
    EXPECT_FALSE(state.SeekTaken(seek));
    EXPECT_EQ(play.PlayPosition, 5000) << "the target, not the position from before the seek";
    EXPECT_EQ(state.AudioPosition, 5000);
    EXPECT_THAT(Calls(), IsEmpty()) << "the run waits for the seek";

    Tick();
    EXPECT_TRUE(state.SeekTaken(seek));
    EXPECT_THAT(Calls(), ElementsAre("Run"));
    EXPECT_TRUE(state.RunRequest) << "until the start has taken effect";
    Tick(3);
    EXPECT_FALSE(state.RunRequest);
    EXPECT_GT(play.PlayPosition, 5000);
}

// A player stuck in a seek (a stalled sound server) holds the transport no longer than the
// settle limit.
TEST_F(EngineTest, APlayerThatNeverSettlesDoesNotHoldTheTransport)
{
    audio.sounds["show.wav"] = FakeSound{60000, {}, 0, 0, 1000000};
    state.SetSoundPath("show.wav");
    state.OpenAudioRequest = true;
    Tick();
    Calls();
    state.PostSeek(5000);
    Tick();
    state.StopRequest = true;
    Tick(Playback::SettleLimitMs / 20 - 2);
    EXPECT_TRUE(state.StopRequest);
    EXPECT_TRUE(state.SeekPending());
    Tick(2);
    EXPECT_FALSE(state.StopRequest);
    EXPECT_FALSE(state.SeekPending());
    EXPECT_THAT(Calls(), ElementsAre("Seek(5000)", "Stop"));
}

struct EndCase {
    bool repeat;
    int32_t postPlay;
};

void PrintTo(const EndCase& c, std::ostream* os) { *os << "repeat " << c.repeat << ", run-out " << c.postPlay; }

class EndOfSoundTest : public EngineTest, public ::testing::WithParamInterface<EndCase> {};

TEST_P(EndOfSoundTest, RepeatStopOrRunOut)
{
    const EndCase c = GetParam();
    play.Repeat = c.repeat;
    play.PostPlayTime = c.postPlay;
    OpenSound(1000);
    state.RunRequest = true;
    Tick();
    Tick(49);
    EXPECT_EQ(play.PlayPosition, 980);
    Calls();
    Tick(); // the player reaches its end here
    if (c.repeat) {
        EXPECT_EQ(play.PlayPosition, 0);
        EXPECT_TRUE(state.RepeatRestarted);
        EXPECT_TRUE(state.RestartRequest);
        EXPECT_FALSE(state.ClockRunning);
        Tick();
        EXPECT_THAT(Calls(), ElementsAre("Seek(0)", "Run"));
        EXPECT_EQ(play.PlayPosition, 0);
        Tick();
        EXPECT_EQ(play.PlayPosition, 20);
        EXPECT_EQ(state.ShowEnds, 0u) << "repeat never ends the show";
    } else if (c.postPlay <= 0) {
        EXPECT_THAT(Calls(), ElementsAre("Stop"));
        EXPECT_FALSE(state.ClockRunning);
        EXPECT_EQ(state.ShowEnds, 1u);
        Tick(10);
        EXPECT_EQ(play.PlayPosition, 1000);
        EXPECT_STREQ(AudioStateText(state.AudioState), "stopped");
    } else {
        EXPECT_TRUE(state.ClockRunning);
        EXPECT_EQ(state.ClockBasePosition, 1000);
        Tick();
        EXPECT_EQ(play.PlayPosition, 1020);
        Tick(248);
        EXPECT_EQ(play.PlayPosition, 5980);
        EXPECT_TRUE(state.ClockRunning);
        EXPECT_EQ(state.ShowEnds, 0u);
        Tick();
        EXPECT_EQ(play.PlayPosition, 6000);
        EXPECT_FALSE(state.ClockRunning);
        Tick(5);
        EXPECT_EQ(play.PlayPosition, 6000);
        EXPECT_EQ(state.ShowEnds, 1u) << "counted once";
        EXPECT_FALSE(state.RepeatRestarted);
    }
}

INSTANTIATE_TEST_SUITE_P(Ends, EndOfSoundTest,
                         ::testing::Values(EndCase{true, 5000}, EndCase{false, 0}, EndCase{false, 5000}),
                         [](const ::testing::TestParamInfo<EndCase>& info) {
                             return std::string(info.param.repeat ? "Repeat" : "NoRepeat") + "RunOut" +
                                    std::to_string(info.param.postPlay);
                         });

TEST_F(EngineTest, PausedClockHoldsAndGoesOnFromWhereItStood)
{
    play.PlayPosition = 5000;
    state.StartClock(5000);
    Tick(10);
    EXPECT_EQ(play.PlayPosition, 5200);
    EXPECT_TRUE(state.PauseClock());
    Tick(10);
    EXPECT_EQ(play.PlayPosition, 5200);
    EXPECT_TRUE(state.PauseClock());
    Tick();
    EXPECT_EQ(play.PlayPosition, 5220);
    state.StopClock();
    EXPECT_FALSE(state.PauseClock());
}

TEST_F(EngineTest, ClockSurvivesTheCounterWrapping)
{
    clock.Set(0xFFFFFFF0u);
    play.PlayPosition = -100;
    state.StartClock(-100);
    Tick(2, 30);
    EXPECT_EQ(play.PlayPosition, -40);
}

TEST_F(EngineTest, ColoursPreviewPatchAndLoadCheck)
{
    play.PostPlayTime = 100000;
    doc.CurrentLine = 0;
    doc.AddStep(PackColor(0, 0, 0), 0, 0, 0, false);
    doc.AddStep(PackColor(200, 100, 0), 0, 1000, 0, false);
    doc.CurrentLine = 1;
    doc.AddStep(PackColor(10, 20, 30), 255, 0, 0, false); // full brightness: white
    doc.CurrentLine = 2;
    doc.AddStep(PackColor(200, 100, 50), 0, 0, 0, false);
    const auto through = ThroughPatch();
    for (int i = 0; i < DmxSlots; ++i)
        play.DmxPatch[size_t(i)] = through[size_t(i)];
    play.DmxPatch[99] = 7; // line 3's green on slot 100
    play.DmxPatch[100] = 30;

    // No sound: the clock gives the position.
    play.PlayPosition = 500;
    state.StartClock(490);
    Tick(1, 10);
    ASSERT_EQ(play.PlayPosition, 500);
    const ColorPair half = doc.EvaluateLine(0, 500);
    const uint32_t line1 = ApplyBrightness(half.Color, half.Brightness);
    EXPECT_NE(line1, 0u);
    EXPECT_EQ(state.LineOutput[0], line1);
    EXPECT_EQ(state.LineOutput[1], PackColor(255, 255, 255));
    EXPECT_EQ(state.LineOutput[2], PackColor(200, 100, 50));
    EXPECT_EQ(state.LineOutput[3], 0u); // no step: black
    EXPECT_EQ(frame[0], RedOf(line1));
    EXPECT_EQ(frame[1], GreenOf(line1));
    EXPECT_EQ(frame[3], 255);
    EXPECT_EQ(frame[6], 200);
    EXPECT_EQ(frame[7], 100);
    EXPECT_EQ(frame[8], 50);
    EXPECT_EQ(frame[9], 0);
    EXPECT_EQ(frame[99], 100);
    EXPECT_EQ(frame[100], 0);
    EXPECT_EQ(frame[24], 0);

    // The preview replaces the current line's colour as it is; the others are unaffected.
    state.PreviewColor = PackColor(0, 255, 0);
    play.CheckGroup = 0;
    Tick(1, 0);
    EXPECT_EQ(state.LineOutput[2], PackColor(0, 255, 0));
    EXPECT_EQ(frame[6], 0);
    EXPECT_EQ(frame[7], 255);
    EXPECT_EQ(frame[8], 0);
    EXPECT_EQ(frame[99], 255);
    EXPECT_EQ(state.LineOutput[0], line1);
    EXPECT_EQ(frame[0], 255); // load check on group 0
    EXPECT_EQ(frame[1], 255);
    EXPECT_EQ(frame[2], 255);

    play.CheckGroup = 170;
    state.PreviewColor = NoColor;
    Tick(1, 0);
    EXPECT_EQ(frame[509], 0);
    EXPECT_EQ(frame[510], 255);
    EXPECT_EQ(frame[511], 255);
    EXPECT_EQ(frame[0], RedOf(line1));
    EXPECT_EQ(frame[7], 100);
}

TEST_F(EngineTest, LightLatencyMovesOnlyTheOutput)
{
    // Line 1's red is the time in ms from 0 to 255: each frame says which time it shows.
    doc.CurrentLine = 0;
    doc.AddStep(PackColor(0, 0, 0), 0, 0, 0, false);
    doc.AddStep(PackColor(255, 0, 0), 0, 255, 0, false);
    play.DmxPatch[0] = 0;
    OpenSound(60000);
    state.RunRequest = true;
    Tick(1, 0);

    const int32_t latencies[] = {40, -40, 0};
    for (int32_t latency : latencies) {
        play.LightLatency = latency;
        Tick(1, 20);
        const int32_t p = play.PlayPosition;
        EXPECT_EQ(state.AudioPosition, p) << latency;
        EXPECT_EQ(frame[0], std::clamp(p + latency, 0, 255)) << latency;
        EXPECT_EQ(state.LineOutput[0], PackColor(uint8_t(std::clamp(p + latency, 0, 255)), 0, 0)) << latency;
    }
    EXPECT_THAT(Calls(), ElementsAre("open show.wav", "Run")) << "the player never hears of it";

    // In the lead-in the clock's position is shifted the same way.
    state.StopRequest = true;
    play.LightLatency = 100;
    play.PlayPosition = -60;
    state.StartClock(-60);
    Tick(1, 0);
    EXPECT_EQ(play.PlayPosition, -60);
    EXPECT_EQ(frame[0], 40);
    Tick(2, 20);
    EXPECT_EQ(play.PlayPosition, -20);
    EXPECT_EQ(frame[0], 80);
}
