#pragma once
// The inner loop of the waveform summary.

#include "sound/summary_frame.h"

#include <cstddef>
#include <cstdint>

// Appends one SummaryFrame for every whole run of framesPer sample frames of the block
// (1 or 2 interleaved channels); sample frames after the last whole run are left out.
void SummarizeBlock(const int16_t* samples, size_t sampleFrames, int channels, size_t framesPer,
                    TWavFrmList& frames);
