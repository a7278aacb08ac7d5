#pragma once
// Where the show stands as the transport sees it, for those who follow it from outside.

#include "engine/engine_state.h"

#include <cstdint>

enum class ShowState : uint8_t { Stopped, Playing, Paused, LeadIn, RunOut };

// "stopped", "playing", "paused", "leadin", "runout".
const char* ShowStateText(ShowState state);

// The free-running clock counts the lead-in and the run-out; while the sound takes over
// from the lead-in both run, and that is playing.
ShowState ShowStateOf(const EngineState& state);
