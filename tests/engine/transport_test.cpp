// The transport commands against the tick, with waits that run the tick in between.
#include "engine_fixture.h"

#include <chrono>
#include <thread>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST_F(EngineTest, TopPlayRunsTheLeadInOnTheClock)
{
    OpenSound(60000);
    Transport transport = MakeTransport();
    state.RunRequest = true;
    Tick(10);
    Calls();
    play.PrePlayTime = 3000;
    transport.TopPlayAction();
    EXPECT_THAT(Calls(), ElementsAre("Stop"));
    EXPECT_EQ(play.PlayPosition, -3000);
    EXPECT_TRUE(state.ClockRunning);
    EXPECT_EQ(state.ClockBasePosition, -3000);
    EXPECT_TRUE(state.TransportActive);
    EXPECT_THAT(notices, ElementsAre(TransportNotice::ScrollToFarLeft, TransportNotice::OutputChanged));
    // This player is heard at once, as the Run before measured: started at 0.
    Tick(150);
    EXPECT_THAT(Calls(), ElementsAre("Seek(0)", "Run"));
    EXPECT_EQ(play.PlayPosition, 0);
    Tick();
    EXPECT_FALSE(state.ClockRunning) << "the sound has taken over";
    EXPECT_EQ(play.PlayPosition, 20);
}

// Play from the top without a lead-in while the position stands in the run-out: the sound
// starts at 0 and the lights go with it, rather than staying frozen in the run-out.
TEST_F(EngineTest, TopPlayWithoutLeadInFromTheRunOut)
{
    play.PrePlayTime = 0;
    play.PostPlayTime = 0;
    OpenSound(1000);
    Transport transport = MakeTransport();
    state.RunRequest = true;
    Tick(60);
    EXPECT_EQ(play.PlayPosition, 1000);
    play.PlayPosition = 1500; // as a run-out left it
    Calls();

    transport.TopPlayAction();
    EXPECT_FALSE(state.ClockRunning);
    EXPECT_TRUE(state.RestartRequest);
    EXPECT_EQ(play.PlayPosition, 0);
    EXPECT_EQ(state.AudioPosition, 0);
    Tick();
    EXPECT_THAT(Calls(), ElementsAre("Seek(0)", "Run"));
    EXPECT_EQ(play.PlayPosition, 0);
    Tick(5);
    EXPECT_EQ(play.PlayPosition, 100);
}

TEST_F(EngineTest, PlayInsideTheSoundRunsThePlayer)
{
    OpenSound(60000);
    Transport transport = MakeTransport();
    Calls();
    transport.PlayAction();
    EXPECT_TRUE(state.RunRequest);
    EXPECT_FALSE(state.ClockRunning);
    EXPECT_TRUE(state.TransportActive);
    Tick(3);
    EXPECT_STREQ(AudioStateText(state.AudioState), "playing");
    EXPECT_EQ(play.PlayPosition, 40);

    transport.PauseAction();
    EXPECT_TRUE(state.PauseRequest);
    Tick(3);
    EXPECT_STREQ(AudioStateText(state.AudioState), "paused");
    transport.PauseAction();
    EXPECT_TRUE(state.ResumeRequest);
    Tick(2);
    EXPECT_STREQ(AudioStateText(state.AudioState), "playing");
    EXPECT_THAT(Calls(), ElementsAre("Run", "Pause", "Run"));

    transport.StopAction();
    EXPECT_THAT(Calls(), ElementsAre("Stop"));
    EXPECT_FALSE(state.TransportActive);
    EXPECT_EQ(notices.back(), TransportNotice::OutputChanged);
}

TEST_F(EngineTest, PlayInTheRunOutRestartsTheClockThereAndPauseHoldsIt)
{
    OpenSound(60000);
    Transport transport = MakeTransport();
    Calls();
    play.PlayPosition = 61000;
    transport.PlayAction();
    EXPECT_THAT(Calls(), ElementsAre("Stop"));
    EXPECT_TRUE(state.ClockRunning);
    Tick(5);
    EXPECT_EQ(play.PlayPosition, 61100);
    transport.PauseAction();
    EXPECT_TRUE(state.ClockPaused);
    EXPECT_FALSE(state.PauseRequest);
    Tick(5);
    EXPECT_EQ(play.PlayPosition, 61100);
    transport.PauseAction();
    Tick();
    EXPECT_EQ(play.PlayPosition, 61120);
    transport.StopAction();
    EXPECT_FALSE(state.ClockRunning);
    Tick();
    EXPECT_EQ(play.PlayPosition, 61120);
}

TEST_F(EngineTest, JumpsToTheStartAndTheEnd)
{
    OpenSound(60000);
    Transport transport = MakeTransport();
    state.SoundLoaded = true;
    state.RunRequest = true;
    Tick(10);
    Calls();
    transport.ToEndPosAction();
    EXPECT_THAT(Calls(), ElementsAre("Stop", "Seek(60000)"));
    EXPECT_EQ(play.PlayPosition, 60000);
    EXPECT_EQ(state.AudioPosition, 60000);
    transport.ToTopPosAction();
    EXPECT_THAT(Calls(), ElementsAre("Stop", "Seek(0)"));
    EXPECT_EQ(play.PlayPosition, 0);
    EXPECT_THAT(notices, ElementsAre(TransportNotice::ShowSoundEnd, TransportNotice::ShowSoundStart));

    // Without a sound both go to 0 and nothing is asked of the player.
    state.SoundLoaded = false;
    play.PlayPosition = -500;
    transport.ToEndPosAction();
    EXPECT_EQ(play.PlayPosition, 0);
    EXPECT_EQ(state.AudioPosition, 0);
    EXPECT_THAT(Calls(), IsEmpty());
}

TEST_F(EngineTest, TenthSecondSteps)
{
    OpenSound(60000);
    Transport transport = MakeTransport();
    struct Case {
        int32_t audio;
        int32_t back, forward; // -1: no move
    };
    const Case cases[] = {{1200, 1100, 1300}, {1250, 1200, 1300}, {100, 0, 200},
                          {0, -1, 100},       {59989, 59900, 60000}, {59990, 59900, -1}};
    for (const Case& c : cases) {
        for (bool back : {true, false}) {
            play.PlayPosition = 7777;
            state.AudioPosition = c.audio;
            notices.clear();
            back ? transport.PrvTimAction() : transport.NxtTimAction();
            const int32_t want = back ? c.back : c.forward;
            if (want < 0) {
                EXPECT_EQ(play.PlayPosition, 7777) << c.audio << (back ? " back" : " forward");
                EXPECT_THAT(notices, IsEmpty());
            } else {
                EXPECT_EQ(play.PlayPosition, want) << c.audio << (back ? " back" : " forward");
                EXPECT_EQ(state.AudioPosition, want);
                EXPECT_THAT(notices, ElementsAre(TransportNotice::PlayCursorMoved));
            }
        }
    }
}

TEST_F(EngineTest, EnablingRules)
{
    Transport transport = MakeTransport();
    auto enabled = [&](TransportCommand c, bool summary = true) { return transport.Enabled(c, summary); };
    EXPECT_FALSE(enabled(TransportCommand::TopPlay)); // no audio output yet
    EXPECT_FALSE(enabled(TransportCommand::Play));
    EXPECT_FALSE(enabled(TransportCommand::Pause));
    EXPECT_FALSE(enabled(TransportCommand::Stop));
    EXPECT_TRUE(enabled(TransportCommand::ToTopPos));
    EXPECT_FALSE(enabled(TransportCommand::ToEndPos, false));
    EXPECT_TRUE(enabled(TransportCommand::PrvTim, false));
    EXPECT_TRUE(enabled(TransportCommand::NxtTim, false));

    OpenSound(1000);
    EXPECT_TRUE(enabled(TransportCommand::TopPlay));
    EXPECT_FALSE(enabled(TransportCommand::TopPlay, false));
    EXPECT_TRUE(enabled(TransportCommand::Play));

    transport.PlayAction();
    Tick(2);
    EXPECT_FALSE(enabled(TransportCommand::Play)); // playing
    EXPECT_TRUE(enabled(TransportCommand::Pause));
    EXPECT_TRUE(enabled(TransportCommand::Stop));
    EXPECT_FALSE(enabled(TransportCommand::ToTopPos));

    // The sound ends and the run-out ends: stop stays enabled, the jumps stay off.
    Tick(600);
    EXPECT_FALSE(state.ClockRunning);
    EXPECT_TRUE(enabled(TransportCommand::Stop));
    EXPECT_FALSE(enabled(TransportCommand::ToTopPos));
    transport.StopAction();
    EXPECT_TRUE(enabled(TransportCommand::ToTopPos));
    EXPECT_FALSE(enabled(TransportCommand::Stop));

    // A running clock disables play; paused, it allows it.
    Tick();
    state.StartClock(2000);
    EXPECT_FALSE(enabled(TransportCommand::Play));
    EXPECT_TRUE(enabled(TransportCommand::Pause));
    state.PauseClock();
    EXPECT_TRUE(enabled(TransportCommand::Play));
}

TEST(RequestAndWait, ReturnsOnceTheTickTookTheRequestAndGivesUpAfterASecond)
{
    std::atomic<bool> flag{false};
    std::thread tick([&] {
        while (!flag)
            std::this_thread::yield();
        flag = false;
    });
    EXPECT_TRUE(RequestAndWait(flag));
    tick.join();

    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(RequestAndWait(flag));
    EXPECT_TRUE(flag); // still pending
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
}
