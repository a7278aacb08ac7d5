#pragma once
// The 512-slot DMX frame built from the eight output colours through the patch.

#include "document/play_globals.h"
#include "document/project_data.h"

#include <array>
#include <cstdint>

using LineColors = std::array<uint32_t, LineCount>;

// frame[i] is DMX slot i+1. Group g = checkGroup forces slots 3g+1..3g+3 to 255; otherwise
// a patch entry 0..511 picks that source value (3L, 3L+1, 3L+2: red, green, blue of line
// L; 24 and above are 0) and any other entry sends 0.
void BuildDmxFrame(const LineColors& output, const std::array<std::atomic<int32_t>, DmxSlots>& patch,
                   int32_t checkGroup, uint8_t* frame);

// The output colours of all lines at time t (no colour gives black). The caller holds the
// document's read lock when it runs off the user interface thread.
LineColors EvaluateOutput(const ProjectData& doc, int32_t t);
