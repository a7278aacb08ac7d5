// The user interface thread edits the show, posts requests and runs the transport while a
// worker calls the tick every 20 ms, as the output worker does. Run under
// ThreadSanitizer this shows that everything the two share is shared safely.
#include "document/project_data.h"
#include "engine/playback.h"
#include "engine/transport.h"
#include "fake_audio.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

TEST(EngineThreads, UserInterfaceAndTickRunTogether)
{
    PlayGlobals play;
    EngineState state(play, SystemClock());
    ProjectData doc(play);
    FakeAudio audio(SystemClock());
    audio.sounds["a.wav"] = FakeSound{1500, {}};
    audio.sounds["b.wav"] = FakeSound{800, {}};
    PostedErrors errors;
    Playback playback(state, doc, audio, errors);
    Transport transport(state);
    RecordingMessages messages;

    std::atomic<bool> stop{false};
    std::atomic<int> ticks{0};
    std::thread worker([&] {
        uint8_t frame[DmxSlots];
        auto next = std::chrono::steady_clock::now();
        while (!stop) {
            playback.PlaybackTick(frame);
            ++ticks;
            next += std::chrono::milliseconds(20);
            std::this_thread::sleep_until(next);
        }
    });

    play.PrePlayTime = 300;
    play.PostPlayTime = 200;
    play.Repeat = true;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    for (int round = 0; std::chrono::steady_clock::now() < end; ++round) {
        state.SetSoundPath(round % 2 ? "a.wav" : "b.wav");
        RequestAndWait(state.OpenAudioRequest);
        state.SoundLoaded = true;
        transport.TopPlayAction();
        for (int i = 0; i < 10; ++i) {
            doc.CurrentLine = i % LineCount;
            doc.AddStep(uint32_t(i * 1000), i, int32_t(i * 37), 0, true);
            state.PreviewColor = i % 3 ? NoColor : uint32_t(i);
            play.DmxPatch[size_t(i)] = i * 3;
            play.CheckGroup = i % 4 ? CheckGroupOff : i;
            if (i == 5)
                transport.PauseAction();
            std::this_thread::sleep_for(std::chrono::milliseconds(7));
        }
        doc.Undo();
        transport.PauseAction();
        transport.PlayAction();
        transport.NxtTimAction();
        transport.PrvTimAction();
        play.Repeat = round % 3 != 0;
        for (auto& c : state.LineOutput)
            EXPECT_LE(c.load(), 0xFFFFFFu);
        transport.StopAction();
        transport.ToEndPosAction();
        transport.ToTopPosAction();
        errors.ShowAll();
    }
    RequestAndWait(state.CloseAudioRequest);
    stop = true;
    worker.join();

    EXPECT_GT(ticks, 100);
    EXPECT_FALSE(state.TransportActive);
    EXPECT_FALSE(state.CloseAudioRequest);
    EXPECT_FALSE(state.AudioOutputOk);
}
