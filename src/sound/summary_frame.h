#pragma once
// One record of the waveform summary: the peaks of 10 ms of sound.

#include <cstddef>
#include <cstdint>
#include <vector>

// 16-bit sample values widened to 32 bits. Every peak starts at 0, so a frame of silence
// is all zeros and a frame of only positive samples has LeftMin 0. Mono leaves the right
// peaks at 0.
struct SummaryFrame {
    int32_t LeftMax = 0;
    int32_t LeftMin = 0;
    int32_t RightMax = 0;
    int32_t RightMin = 0;

    bool operator==(const SummaryFrame&) const = default;
};

using TWavFrmList = std::vector<SummaryFrame>;

// One record in a waveform file (*.wfm): four little-endian int32 in field order, no
// header, no trailer.
inline constexpr size_t SummaryFrameBytes = 16;
