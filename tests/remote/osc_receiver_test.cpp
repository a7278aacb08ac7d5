// The OSC read handler against the engine, with a worker ticking a fake player.
#include "../engine/engine_fixture.h"
#include "osc_builder.h"
#include "remote/osc_receiver.h"

#include <thread>

namespace {

using ::testing::Contains;

class OscReceiverTest : public EngineTest {
protected:
    void SetUp() override
    {
        play.PrePlayTime = 1000;
        play.PostPlayTime = 1000;
        OpenSound(10000);
        Calls();
        worker = std::thread([this] {
            while (!stop) {
                Tick();
                std::this_thread::sleep_for(std::chrono::microseconds(200));
            }
        });
    }
    void StopWorker()
    {
        stop = true;
        if (worker.joinable())
            worker.join();
    }
    void TearDown() override { StopWorker(); }
    std::optional<std::string> Send(const OscMessage& m) { return receiver.OscServerUDPRead(Bundle(m)); }

    Transport transport{state};
    int scrolled = 0;
    OscReceiver receiver{state, transport, {[] { return true; }, [this] { ++scrolled; }}};
    std::atomic<bool> stop{false};
    std::thread worker;
};

TEST_F(OscReceiverTest, PlayAtATimeInsideTheSoundSeeksAndRuns)
{
    EXPECT_EQ(Send(OscMessage("/lumenrill/play").String("00:00:02.50")), "OSC: play 00:00:02.50");
    EXPECT_GE(play.PlayPosition, 2500);
    EXPECT_LT(play.PlayPosition, 9000);
    EXPECT_TRUE(state.TransportActive);
    EXPECT_FALSE(state.ClockRunning);
    EXPECT_EQ(scrolled, 1);
    StopWorker();
    const auto calls = Calls();
    EXPECT_THAT(calls, Contains("Seek(2500)"));
    EXPECT_THAT(calls, Contains("Run"));
    EXPECT_EQ(state.AudioState, AudioStateKind::Playing);
}

TEST_F(OscReceiverTest, PlayAtTheEndRunsTheRunOutOnTheClock)
{
    EXPECT_EQ(Send(OscMessage("/lumenrill/play").String("00:00:10.00")), "OSC: play 00:00:10.00");
    EXPECT_TRUE(state.ClockRunning);
    EXPECT_GE(play.PlayPosition, 10000);
    EXPECT_NE(state.AudioState, AudioStateKind::Playing);
    EXPECT_EQ(Send(OscMessage("/lumenrill/play").String("00:00:10.01")), "OSC: play  ERR:パラメーターが間違っています。");
    EXPECT_EQ(Send(OscMessage("/lumenrill/stop")), "OSC: stop ");
    EXPECT_FALSE(state.TransportActive);
    EXPECT_FALSE(state.ClockRunning);
}

TEST_F(OscReceiverTest, CommandsRunOnlyWhenTheirActionIsEnabled)
{
    EXPECT_EQ(Send(OscMessage("/lumenrill/stop")), "OSC: stop ");
    EXPECT_FALSE(state.TransportActive) << "stop is not enabled before a play";
    EXPECT_EQ(Send(OscMessage("/lumenrill/play").String("top")), "OSC: play top");
    EXPECT_TRUE(state.TransportActive);
    EXPECT_TRUE(state.ClockRunning) << "the lead-in runs on the clock";
    EXPECT_EQ(Send(OscMessage("/lumenrill/pause")), "OSC: pause ");
    EXPECT_TRUE(state.ClockPaused);
    EXPECT_FALSE(receiver.OscServerUDPRead(OscMessage("/lumenrill/pause").Bytes())) << "no bundle, no command";
    EXPECT_TRUE(state.ClockPaused);
}

} // namespace
