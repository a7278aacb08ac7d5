#pragma once
// An engine on a fake player and a fake millisecond clock: every tick is run by the test.

#include "document/project_data.h"
#include "engine/engine_state.h"
#include "engine/playback.h"
#include "engine/posted_errors.h"
#include "engine/transport.h"
#include "fake_audio.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

class EngineTest : public ::testing::Test {
protected:
    // Runs n ticks, the clock moving on by stepMs before each.
    void Tick(int n = 1, uint32_t stepMs = 20)
    {
        for (int i = 0; i < n; ++i) {
            clock.Advance(stepMs);
            playback.PlaybackTick(frame);
        }
    }

    // Opens a sound of the given length through the tick.
    void OpenSound(int32_t duration, const std::string& path = "show.wav")
    {
        audio.sounds[path] = FakeSound{duration, {}};
        state.SetSoundPath(path);
        state.OpenAudioRequest = true;
        Tick();
    }

    // The player calls since the last look.
    std::vector<std::string> Calls()
    {
        std::vector<std::string> calls;
        calls.swap(audio.log);
        return calls;
    }

    // A transport whose waits run one tick, as the worker would meanwhile.
    Transport MakeTransport()
    {
        return Transport(state, [this](TransportNotice n) { notices.push_back(n); },
                         [this](const std::function<bool()>&) { Tick(); });
    }

    PlayGlobals play;
    FakeClock clock;
    EngineState state{play, clock};
    ProjectData doc{play};
    FakeAudio audio{clock};
    PostedErrors errors;
    Playback playback{state, doc, audio, errors};
    std::vector<TransportNotice> notices;
    uint8_t frame[DmxSlots] = {};
};
