// The runtime's creation and close orders on a fake player and a fake network, and the
// settings the tick reads reaching it through the settings object.
#include "output/fake_network.h"
#include "engine/fake_audio.h"
#include "runtime/show_runtime.h"
#include "settings/env_data.h"
#include "support/test_support.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>

using ::testing::ElementsAre;

namespace {

class RuntimeTest : public ::testing::Test {
protected:
    ShowRuntimeOptions Options()
    {
        ShowRuntimeOptions o;
        o.OutputUniverse = 7;
        o.Priority = ThreadPriority::Normal;
        o.Audio = audio;
        o.Platform = net.Platform();
        o.ReportInitError = [this](const std::string& text) { initErrors.push_back(text); };
        return o;
    }

    size_t DmxSent() const { return net.SentWithOpCode(OpDmx).size(); }

    FakeNetwork net;
    std::shared_ptr<FakeAudio> audio = std::make_shared<FakeAudio>(SystemClock());
    std::vector<std::string> initErrors;
};

TEST_F(RuntimeTest, CreatesInOrderAndClosesWithThePlayerGoneOnTheWorkerBeforeTheWorkerEnds)
{
    audio->sounds["show.wav"] = FakeSound{60000, {}};
    std::thread::id closedOn;
    audio->onClose = [&closedOn] { closedOn = std::this_thread::get_id(); };
    std::vector<std::string> events;
    size_t framesAtWindowSettings = 0;
    {
        ShowRuntime runtime(Options());
        EXPECT_FALSE(runtime.Started());
        EXPECT_EQ(runtime.Play().DmxPatch[0], -1) << "unpatched until a show gives the patch";
        EXPECT_EQ(runtime.Document().CurrentLine, 0);
        EXPECT_TRUE(net.Sent().empty()) << "no thread and no packet before Start";

        runtime.Start();
        ASSERT_TRUE(runtime.Started());
        EXPECT_TRUE(initErrors.empty());
        EXPECT_EQ(runtime.Worker()->OutputUniverse, 7);
        EXPECT_TRUE(runtime.OpenAudio("show.wav", true));
        EXPECT_EQ(runtime.Play().SoundDuration, 60000);
        EXPECT_FALSE(net.SentWithOpCode(OpPoll).empty()) << "the first poll goes out at start";

        runtime.State().RunRequest = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(60));
        runtime.Close({
            [&] { events.push_back("stop display"); },
            [&] {
                events.push_back("write engine settings, universe " +
                                 std::to_string(runtime.Worker()->OutputUniverse));
            },
            [&] {
                events.push_back("write window settings");
                framesAtWindowSettings = DmxSent();
            },
        });
        EXPECT_TRUE(runtime.Closed());
        runtime.Close(); // a second close does nothing
    }
    EXPECT_THAT(events, ElementsAre("stop display", "write engine settings, universe 7", "write window settings"));
    EXPECT_THAT(audio->log, ElementsAre("open show.wav", "Run", "Stop", "close"))
        << "stopped, then closed, before the window's steps";
    EXPECT_NE(closedOn, std::thread::id());
    EXPECT_NE(closedOn, std::this_thread::get_id()) << "the player dies on the worker that made it";
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    EXPECT_EQ(DmxSent(), framesAtWindowSettings) << "the worker had ended before the window's last step";
}

// Closing while the show plays: the lights keep the look it played; no frame shows the look
// at the position the stopped and closed player moved to.
TEST_F(RuntimeTest, ClosingWhilePlayingKeepsTheLastLookOnTheLights)
{
    audio->sounds["show.wav"] = FakeSound{60000, {}};
    ShowRuntime runtime(Options());
    ProjectData& doc = runtime.Document();
    doc.SetNewShowPatch(); // line 1 on slots 1 to 3
    doc.AddStep(0x0000FF, 0, 0, 0, false);    // red from the start
    doc.AddStep(0xFF0000, 0, 20000, 0, false); // blue from 20 s
    runtime.Start();
    ASSERT_TRUE(runtime.OpenAudio("show.wav", true));
    ASSERT_TRUE(SeekAndWait(runtime.State(), 30000));
    ASSERT_TRUE(RequestAndWait(runtime.State().RunRequest));
    auto slots = [](const std::vector<uint8_t>& packet) {
        constexpr size_t Data = 18; // ArtDmx: the slots follow the 18-byte header
        return std::array<uint8_t, 3>{packet[Data], packet[Data + 1], packet[Data + 2]};
    };
    const std::array<uint8_t, 3> blue{0, 0, 255};
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (std::chrono::steady_clock::now() < deadline &&
           (DmxSent() == 0 || slots(net.SentWithOpCode(OpDmx).back()) != blue))
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ASSERT_EQ(slots(net.SentWithOpCode(OpDmx).back()), blue) << "the show plays at 30 s";
    const size_t playing = DmxSent();
    runtime.Close();
    const std::vector<std::vector<uint8_t>> frames = net.SentWithOpCode(OpDmx);
    for (size_t i = playing; i < frames.size(); ++i)
        EXPECT_EQ(slots(frames[i]), blue) << "frame " << i - playing << " after the close began";
}

TEST_F(RuntimeTest, ReportsANetworkSetUpFailureOnceAndPlaysOn)
{
    net.layerFails = true;
    ShowRuntime runtime(Options());
    runtime.Start();
    EXPECT_THAT(initErrors, ElementsAre(SocketInitFailedText));
    EXPECT_TRUE(runtime.Worker()->InitError().empty());
    runtime.Close();
}

// A stored interface without an address is reported and multicast leaves by the Art-Net
// address's interface; a refused change keeps what runs; closing ends the sACN stream.
TEST_F(RuntimeTest, SacnOutputFromStartToClose)
{
    ShowRuntimeOptions o = Options();
    o.Output.Sacn.Mode = SacnMode::Multicast;
    o.Output.Sacn.Universe = 4;
    o.Output.Sacn.Interface = "eth9";
    o.Output.Sacn.Cid = NewSacnCid();
    std::vector<OutputCheck> problems;
    o.ReportOutputProblem = [&](const OutputCheck& problem) { problems.push_back(problem); };
    ShowRuntime runtime(std::move(o));
    runtime.Start();
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].Problem, OutputProblem::Interface);
    EXPECT_EQ(problems[0].Value, "eth9");
    EXPECT_EQ(runtime.Output().Sacn.Interface, "eth9") << "kept for the next start";
    EXPECT_EQ(net.sacnOpened, (std::vector<std::pair<uint32_t, int>>{{Ip("2.0.0.1"), 1}}))
        << "sent by the Art-Net address's interface meanwhile";
    EXPECT_EQ(runtime.RunningOutput().Sacn.Interface, "") << "the status names what runs";

    OutputConfig bad = runtime.Output();
    bad.Sacn.Interface.clear();
    bad.Artnet.Mode = ArtnetMode::Off;
    bad.Sacn.Priority = 300;
    EXPECT_EQ(runtime.SetOutput(bad).Problem, OutputProblem::Priority);
    EXPECT_EQ(runtime.RunningOutput().Artnet.Mode, ArtnetMode::Broadcast) << "nothing half-applied";
    EXPECT_EQ(runtime.Output().Sacn.Priority, 100);

    // OK with the settings unchanged: the stream goes on, no Stream_Terminated, one socket.
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (std::chrono::steady_clock::now() < until && net.SacnSent().empty())
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ASSERT_TRUE(runtime.SetOutput(runtime.Output()));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    for (const FakeNetwork::Addressed& d : net.SacnSent())
        EXPECT_EQ(d.bytes.size() == SacnDataPacketSize && (d.bytes[SacnOptionsOffset] & SacnStreamTerminated), false);
    EXPECT_EQ(net.sacnOpened.size(), 1u);

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (std::chrono::steady_clock::now() < deadline && net.SacnSent().empty())
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    runtime.Close();
    const auto sent = net.SacnSent();
    ASSERT_GE(sent.size(), 4u);
    for (size_t i = sent.size() - 3; i < sent.size(); ++i) {
        EXPECT_EQ(sent[i].address, 0xEFFF0004u);
        EXPECT_EQ(sent[i].bytes[SacnOptionsOffset], SacnStreamTerminated) << "the last three end the stream";
    }
}

// Destroyed without a close (an early return): it still closes in order.
TEST_F(RuntimeTest, DestructionWithoutCloseClosesInOrder)
{
    audio->sounds["show.wav"] = FakeSound{1000, {}};
    std::thread::id closedOn;
    audio->onClose = [&closedOn] { closedOn = std::this_thread::get_id(); };
    {
        ShowRuntime runtime(Options());
        runtime.Start();
        runtime.OpenAudio("show.wav", true);
    }
    EXPECT_NE(closedOn, std::this_thread::get_id());
    EXPECT_EQ(audio->log.back(), "close");
}

// A stored Repeat=1 is the value the tick reads: the settings object and the engine share
// one home for it, so the sound starts again at its end.
TEST(SettingsReachTheTick, StoredRepeatAndTheCheckGroupAreWhatTheTickReads)
{
    TempDir dir;
    {
        std::ofstream(dir / "lumenrill.INI") << "[Play]\nRepeat=1\n";
    }
    FakeClock clock;
    PlayGlobals play;
    IniFile ini(dir / "lumenrill.INI");
    EnvData env(ini, play, dir.Path());
    ASSERT_TRUE(env.Repeat);

    EngineState state(play, clock);
    ProjectData doc(play);
    FakeAudio audio(clock);
    PostedErrors errors;
    Playback playback(state, doc, audio, errors);
    uint8_t frame[DmxSlots] = {};
    audio.sounds["a.wav"] = FakeSound{100, {}};
    state.SetSoundPath("a.wav");
    state.OpenAudioRequest = true;
    playback.PlaybackTick(frame);
    state.RunRequest = true;
    for (int i = 0; i < 8; ++i) {
        clock.Advance(20);
        playback.PlaybackTick(frame);
    }
    EXPECT_TRUE(state.RepeatRestarted) << "the end of the sound restarted it";

    env.CheckGroup = 2;
    playback.PlaybackTick(frame);
    EXPECT_EQ(frame[6], 255);
    EXPECT_EQ(frame[8], 255);
    EXPECT_EQ(frame[9], 0);
}

} // namespace
