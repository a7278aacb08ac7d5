#include "engine/system_audio.h"

#include "engine/audio_output.h"
#include "engine/audio_play.h"

#include <chrono>

SystemAudio::SystemAudio() { GstReady(); }

std::unique_ptr<Player> SystemAudio::CreatePlayer(const std::string& path) { return std::make_unique<AudioPlay>(path); }

void SystemAudio::StartOutputTest()
{
    // A test still running is waited for here: opens come seconds apart, and the test
    // takes milliseconds.
    outcome_.reset();
    test_ = std::async(std::launch::async, ProbeAudioOutput);
}

std::optional<bool> SystemAudio::OutputTested()
{
    if (!outcome_ && test_.valid() && test_.wait_for(std::chrono::seconds(0)) == std::future_status::ready)
        outcome_ = test_.get();
    return outcome_;
}
