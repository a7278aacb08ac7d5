#pragma once
// The working values that the open show shares with the playback engine: the live DMX
// patch, the lead-in and run-out, the play position and the sound's length. The user
// interface and the engine's worker thread both touch them, so each is atomic.

#include <array>
#include <atomic>
#include <cstdint>

inline constexpr int DmxSlots = 512;
inline constexpr int32_t CheckGroupOff = -1;

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

    // Back to the values at program start.
    void Reset();

    // The time limits of moved steps: [-PrePlayTime, SoundDuration + PostPlayTime].
    int32_t ClampTime(int64_t t) const;
};

// The one instance of the running program.
PlayGlobals& Globals();
