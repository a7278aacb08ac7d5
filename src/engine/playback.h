#pragma once
// The playback engine's tick: carries out the transport requests, keeps the play position
// (from the player inside the sound, from the play clock in the lead-in and run-out),
// evaluates every line there and builds the DMX frame. The Art-Net worker calls
// PlaybackTick every 20 ms; the player lives and dies on that thread.

#include "document/project_data.h"
#include "engine/engine_state.h"
#include "engine/player.h"
#include "engine/posted_errors.h"

#include <cstdint>
#include <memory>

inline constexpr const char* AudioOutputInvalidText = "オーディオ出力が無効です";

class Playback {
public:
    Playback(EngineState& state, const ProjectData& doc, AudioBackend& audio, PostedErrors& errors);
    // Destroys a player still open; post CloseAudioRequest and wait for it first, so that
    // this happens on the worker.
    ~Playback();
    Playback(const Playback&) = delete;
    Playback& operator=(const Playback&) = delete;

    // frame: at least 512 bytes; byte i becomes DMX slot i+1. The tick itself allocates
    // nothing unless a sound is opened or an error is posted.
    void PlaybackTick(uint8_t* frame);

private:
    void ReadPlayer();
    void OpenOrClose();
    void Requests();
    void FollowPosition();
    void EndOfSound();
    void Colours(LineColors& output);

    EngineState& s_;
    const ProjectData& doc_;
    AudioBackend& audio_;
    PostedErrors& errors_;
    std::unique_ptr<Player> player_;
    int32_t playerPosition_ = 0; // the player's position as this tick read it
};
