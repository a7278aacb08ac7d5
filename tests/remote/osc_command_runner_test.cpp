// The OSC transport commands against the engine with its fake player, the tick run by the
// test: nothing ever waits for the tick, and commands keep their order.
#include "../engine/engine_fixture.h"
#include "osc_builder.h"
#include "remote/osc_command_runner.h"

#include <cstdio>

namespace {

using ::testing::Contains;

const OscEndpoint Tablet{0x0A000005, 9000};

class OscCommandRunnerTest : public EngineTest {
protected:
    void SetUp() override
    {
        play.PrePlayTime = 1000;
        play.PostPlayTime = 1000;
        OpenSound(10000);
        Calls();
    }
    OscCommand Command(const OscMessage& m)
    {
        TOscUnit unit;
        unit.Decode(m.Bytes());
        return *InterpretOsc(unit, play.SoundDuration);
    }
    // Posts the command and runs ticks until it is done; what its sender is told.
    std::string Run(const OscMessage& m)
    {
        EXPECT_TRUE(runner.Post(Command(m), m.address, Tablet));
        std::string error = "never started";
        for (int i = 0; i < 20; ++i) {
            for (const OscCommandRunner::Started& s : runner.Poll())
                error = s.error;
            if (!runner.Busy())
                break;
            Tick();
        }
        EXPECT_FALSE(runner.Busy());
        return error;
    }

    int scrolled = 0;
    OscCommandRunner runner{state, [this](TransportNotice n) { notices.push_back(n); },
                            {[] { return true; }, [this] { ++scrolled; }}};
};

TEST_F(OscCommandRunnerTest, PlayAtATimeInsideTheSoundSeeksAndRuns)
{
    EXPECT_EQ(Run(OscMessage("/lumenrill/play").String("00:00:02.50")), "");
    EXPECT_GE(play.PlayPosition, 2500);
    EXPECT_TRUE(state.TransportActive);
    EXPECT_FALSE(state.ClockRunning);
    EXPECT_EQ(scrolled, 1);
    const auto calls = Calls();
    EXPECT_THAT(calls, Contains("Seek(2500)"));
    EXPECT_THAT(calls, Contains("Run"));
    Tick();
    EXPECT_EQ(state.AudioState, AudioStateKind::Playing);
}

TEST_F(OscCommandRunnerTest, PlayAtTheEndRunsTheRunOutOnTheClock)
{
    EXPECT_EQ(Run(OscMessage("/lumenrill/play").String("00:00:10.00")), "");
    EXPECT_TRUE(state.ClockRunning);
    EXPECT_GE(play.PlayPosition, 10000);
    EXPECT_NE(state.AudioState, AudioStateKind::Playing);
    EXPECT_EQ(Run(OscMessage("/lumenrill/stop")), "");
    EXPECT_FALSE(state.TransportActive);
    EXPECT_FALSE(state.ClockRunning);
}

TEST_F(OscCommandRunnerTest, NothingWaitsForTheTickAndCommandsKeepTheirOrder)
{
    // No tick at all: each call returns at once, and the start goes no further than its
    // first request.
    ASSERT_TRUE(runner.Post(Command(OscMessage("/lumenrill/play").String("00:00:05.00")), "/lumenrill/play", Tablet));
    ASSERT_TRUE(runner.Post(Command(OscMessage("/lumenrill/pause")), "/lumenrill/pause", Tablet));
    EXPECT_EQ(runner.Poll().size(), 1u);
    EXPECT_TRUE(runner.Poll().empty());
    EXPECT_TRUE(state.StopRequest);
    EXPECT_FALSE(state.SeekPending());
    EXPECT_FALSE(state.TransportActive);

    // The pause waits for the start to be done and heard of (the tick after the last
    // request reads the player's state), then holds the sound it started.
    for (int i = 0; i < 20 && runner.Busy(); ++i) {
        Tick();
        for (const OscCommandRunner::Started& s : runner.Poll()) {
            EXPECT_EQ(s.command.kind, OscCommand::Kind::Pause);
            EXPECT_EQ(s.error, "") << "the start was done: the show plays";
            EXPECT_TRUE(state.TransportActive);
        }
    }
    Tick(2);
    EXPECT_EQ(state.AudioState, AudioStateKind::Paused);
    EXPECT_GE(play.PlayPosition, 5000);

    // A request of the window's own holds an OSC command back until the tick took it.
    state.StopRequest = true;
    ASSERT_TRUE(runner.Post(Command(OscMessage("/lumenrill/pause")), "/lumenrill/pause", Tablet));
    EXPECT_TRUE(runner.Poll().empty());
    Tick();
    EXPECT_TRUE(runner.Poll().empty()) << "taken, but not yet heard of";
    Tick();
    EXPECT_EQ(runner.Poll().size(), 1u);
}

TEST_F(OscCommandRunnerTest, AFullQueueRefusesMore)
{
    state.StopRequest = true; // the tick does not come
    const OscCommand stop = Command(OscMessage("/lumenrill/stop"));
    for (size_t i = 0; i < OscCommandRunner::MaxWaiting; ++i)
        EXPECT_TRUE(runner.Post(stop, "/lumenrill/stop", Tablet));
    EXPECT_FALSE(runner.Post(stop, "/lumenrill/stop", Tablet));
    EXPECT_TRUE(runner.Poll().empty());
}

// A surface that sends a stream of plays at a time: those that queue up count as the last
// of them (each answered, the status naming only the one run); one is carried out at least
// PlayAtSpacingMs after the one before; and while the show plays inside the sound it is a
// seek alone, the player running on.
TEST_F(OscCommandRunnerTest, AStreamOfPlaysAtATimeMovesTheSoundNowAndThenToTheLatest)
{
    EXPECT_EQ(Run(OscMessage("/lumenrill/play").String("00:00:01.00")), "");
    Tick();
    Calls();
    size_t answered = 0, run = 0;
    int32_t last = 0;
    for (int frame = 0; frame < 50; ++frame) { // one second of frames, two plays each
        for (int k = 0; k < 2; ++k) {
            last = 2000 + 10 * (2 * frame + k);
            char time[32];
            std::snprintf(time, sizeof time, "00:00:%02d.%02d", last / 1000, last % 1000 / 10);
            const OscMessage m = OscMessage("/lumenrill/play").String(time);
            ASSERT_TRUE(runner.Post(Command(m), m.address, Tablet)) << "a play at a time is never refused as busy";
        }
        for (const OscCommandRunner::Started& s : runner.Poll()) {
            ++answered;
            run += s.superseded ? 0 : 1;
            EXPECT_EQ(s.error, "");
        }
        Tick();
    }
    for (int i = 0; i < 20 && runner.Busy(); ++i) {
        for (const OscCommandRunner::Started& s : runner.Poll()) {
            ++answered;
            run += s.superseded ? 0 : 1;
        }
        Tick();
    }
    EXPECT_EQ(answered, 100u);
    EXPECT_GE(run, 3u);
    EXPECT_LE(run, 1 + 1000 / OscCommandRunner::PlayAtSpacingMs) << "at most one per spacing";
    EXPECT_GE(play.PlayPosition, last) << "the latest one wins";
    const auto calls = Calls();
    EXPECT_THAT(calls, Contains("Seek(" + std::to_string(last) + ")"));
    EXPECT_THAT(calls, ::testing::Not(Contains("Stop"))) << "the player ran on";
    EXPECT_EQ(state.AudioState, AudioStateKind::Playing);
}

TEST_F(OscCommandRunnerTest, WhatKeepsACommandFromRunningIsTheReply)
{
    struct Case {
        OscMessage message;
        std::string error;
    };
    const Case cases[] = {
        {OscMessage("/lumenrill/pause"), OscReasonNotPlaying},
        {OscMessage("/lumenrill/stop"), ""}, // stopped, as asked
        {OscMessage("/lumenrill/play"), ""},
        {OscMessage("/lumenrill/play").Float(1), ""}, // already playing
        {OscMessage("/lumenrill/play").String("top"), ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Run(c.message), c.error) << OscText(c.message.Bytes());
    EXPECT_TRUE(state.TransportActive);
    EXPECT_THAT(notices, Contains(TransportNotice::ScrollToFarLeft));

    Tick();
    OscCommandRunner noShow{state, {}, {[] { return false; }, {}}};
    ASSERT_TRUE(noShow.Post(Command(OscMessage("/lumenrill/play").String("top")), "/lumenrill/play", Tablet));
    const std::vector<OscCommandRunner::Started> started = noShow.Poll();
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].error, OscReasonNoShow);
}

} // namespace
