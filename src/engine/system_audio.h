#pragma once
// The real audio: AudioPlay players and the desktop sound server's output test.

#include "engine/player.h"

class SystemAudio final : public AudioBackend {
public:
    // Starts the media framework here, not in the first open on the worker.
    SystemAudio();
    std::unique_ptr<Player> CreatePlayer(const std::string& path) override;
    bool ProbeOutput() override;
};
