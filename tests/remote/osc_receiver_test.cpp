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
    std::optional<std::string> Send(const OscMessage& m)
    {
        std::optional<OscOutcome> outcome = receiver.OscServerUDPRead(Bundle(m));
        if (!outcome)
            return std::nullopt;
        return outcome->status;
    }

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
    const std::optional<OscOutcome> plain = receiver.OscServerUDPRead(OscMessage("/lumenrill/pause").Bytes());
    ASSERT_TRUE(plain) << "a plain message is a command as a bundle's first message is";
    EXPECT_EQ(plain->status, "OSC: pause ");
    EXPECT_FALSE(state.ClockPaused);
}

TEST_F(OscReceiverTest, WhatKeepsACommandFromRunningIsTheReply)
{
    struct Case {
        OscMessage message;
        std::string error;
    };
    const Case cases[] = {
        {OscMessage("/lumenrill/pause"), OscReasonNotPlaying},
        {OscMessage("/lumenrill/stop"), ""}, // stopped, as asked
        {OscMessage("/lumenrill/next"), OscReasonUnknownAddress},
        {OscMessage("/lumenrill/play").Int(3), OscReasonBadArgument},
        {OscMessage("/lumenrill/status").Float(1), OscReasonBadArgument},
        {OscMessage("/lumenrill/status"), ""},
        {OscMessage("/lumenrill/play"), ""},
        {OscMessage("/lumenrill/play"), ""}, // already playing
    };
    for (const Case& c : cases) {
        const std::optional<OscOutcome> outcome = receiver.OscServerUDPRead(c.message.Bytes());
        ASSERT_TRUE(outcome) << c.message.address;
        EXPECT_EQ(outcome->address, c.message.address);
        EXPECT_EQ(outcome->error, c.error) << c.message.address;
        EXPECT_EQ(outcome->statusRequest, c.message.address == "/lumenrill/status" && c.error.empty());
    }
    EXPECT_TRUE(state.TransportActive);

    OscReceiver noShow{state, transport, {[] { return false; }, {}}};
    EXPECT_EQ(noShow.OscServerUDPRead(OscMessage("/lumenrill/play").String("top").Bytes())->error, OscReasonNoShow);
}

} // namespace
