#pragma once
// The working values that the open show shares with the playback engine: the live DMX
// patch, the lead-in and run-out, the play position and the sound's length. The user
// interface and the engine's worker thread both touch them, so each is atomic.

#include <array>
#include <atomic>
#include <cstdint>

inline constexpr int DmxSlots = 512;
inline constexpr int32_t CheckGroupOff = -1;
// How far the lights may run ahead of the sound (negative: behind), in ms.
inline constexpr int32_t LightLatencyMin = -500;
inline constexpr int32_t LightLatencyMax = 500;

// A light latency held to LightLatencyMin..LightLatencyMax.
int32_t ClampLightLatency(int64_t ms);

struct PlayGlobals {
    PlayGlobals();

    std::array<std::atomic<int32_t>, DmxSlots> DmxPatch; // -1 everywhere until a show sets it
    std::atomic<int32_t> PrePlayTime{10000};
    std::atomic<int32_t> PostPlayTime{10000};
    std::atomic<int32_t> PlayPosition{0};
    std::atomic<int32_t> SoundDuration{0};

    // The settings the tick reads. Their one home: the settings object refers to these, so a
    // stored value reaches the tick without a copy to keep in step.
    std::atomic<bool> Repeat{false};
    std::atomic<int32_t> CheckGroup{CheckGroupOff}; // the group forced to 255 while the patch check is on
    // What lies beyond the computer (wireless DMX, fixtures that process before they show)
    // delays the light: the frames show the show this many ms after the play position.
    // Only the output moves; the play position stays with the sound.
    std::atomic<int32_t> LightLatency{0};

    // Back to the values at program start.
    void Reset();

    // The time limits of moved steps: [-PrePlayTime, SoundDuration + PostPlayTime].
    int32_t ClampTime(int64_t t) const;
};

// The one instance of the running program.
PlayGlobals& Globals();
