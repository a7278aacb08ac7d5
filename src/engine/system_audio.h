#pragma once
// The real audio: AudioPlay players and the desktop sound server's output test.

#include "engine/player.h"

#include <future>

class SystemAudio final : public AudioBackend {
public:
    // Starts the media framework here, not in the first open on the worker.
    SystemAudio();
    std::unique_ptr<Player> CreatePlayer(const std::string& path) override;
    void StartOutputTest() override;
    std::optional<bool> OutputTested() override;

private:
    // Connecting to the sound server takes a round trip or two: the test runs on a thread
    // of its own, so that the frames go on meanwhile. (The future waits for it when it is
    // replaced or destroyed.)
    std::future<bool> test_;
    std::optional<bool> outcome_;
};
