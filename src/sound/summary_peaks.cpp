#include "sound/summary_peaks.h"

#include <algorithm>

namespace {

// Peaks of count interleaved samples. The accumulators start at 0, so the largest value
// is at least 0 and the smallest at most 0, as the summary wants. They run in 16 lanes
// so that the compiler keeps the loop in vector registers; with two channels the even
// lanes hold the left channel and the odd lanes the right.
SummaryFrame Peaks(const int16_t* s, size_t count, bool stereo)
{
    constexpr size_t Lanes = 16;
    int16_t hi[Lanes] = {};
    int16_t lo[Lanes] = {};
    size_t i = 0;
    for (; i + Lanes <= count; i += Lanes) {
        for (size_t j = 0; j < Lanes; ++j) {
            hi[j] = std::max(hi[j], s[i + j]);
            lo[j] = std::min(lo[j], s[i + j]);
        }
    }
    // i is a multiple of Lanes, so lane j keeps the channel of sample i + j.
    for (size_t j = 0; i + j < count; ++j) {
        hi[j] = std::max(hi[j], s[i + j]);
        lo[j] = std::min(lo[j], s[i + j]);
    }
    SummaryFrame f;
    for (size_t j = 0; j < Lanes; ++j) {
        const bool right = stereo && (j & 1u);
        int32_t& max = right ? f.RightMax : f.LeftMax;
        int32_t& min = right ? f.RightMin : f.LeftMin;
        max = std::max<int32_t>(max, hi[j]);
        min = std::min<int32_t>(min, lo[j]);
    }
    return f;
}

} // namespace

void SummarizeBlock(const int16_t* samples, size_t sampleFrames, int channels, size_t framesPer,
                    TWavFrmList& frames)
{
    const size_t runs = sampleFrames / framesPer;
    const size_t step = framesPer * size_t(channels);
    for (size_t r = 0; r < runs; ++r)
        frames.push_back(Peaks(samples + r * step, step, channels == 2));
}
