#pragma once
// Where the show stands as the transport sees it, for those who follow it from outside.

#include "engine/engine_state.h"

#include <cstdint>
#include <optional>

enum class ShowState : uint8_t { Stopped, Playing, Paused, LeadIn, RunOut };

// "stopped", "playing", "paused", "leadin", "runout".
const char* ShowStateText(ShowState state);

// The free-running clock counts the lead-in and the run-out; while the sound takes over
// from the lead-in both run, and that is playing.
ShowState ShowStateOf(const EngineState& state);

// ShowStateOf as peers should hear it. While the transport is active, a stop that the
// transport did not ask for (the player not yet running after a start, or the show at its
// end) counts only once it has held for HoldMs: a start does not flicker through "stopped".
class ShowStateFollower {
public:
    static constexpr uint32_t HoldMs = 100;
    ShowState Follow(const EngineState& state, uint32_t nowMs);

private:
    std::optional<ShowState> last_;
    std::optional<uint32_t> stoppedSince_;
};
