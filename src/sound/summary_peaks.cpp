#include "sound/summary_peaks.h"

#include <algorithm>
#include <cstring>

namespace {

// Eight 16-bit samples side by side. The compiler's vector extension gives packed max
// and min on every target without tying the code to one instruction set; plain loops
// are not reliably turned into them.
using Vec = int16_t __attribute__((vector_size(16)));
constexpr size_t VecLanes = 8;

Vec Load(const int16_t* p)
{
    Vec v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

Vec Max(Vec a, Vec b) { return a > b ? a : b; }
Vec Min(Vec a, Vec b) { return a < b ? a : b; }

// Folds the lanes so that lane 0 holds the peak of the even lanes and lane 1 that of
// the odd lanes.
template <Vec (*Pick)(Vec, Vec)>
Vec FoldToPairs(Vec v)
{
    v = Pick(v, __builtin_shufflevector(v, v, 4, 5, 6, 7, 0, 1, 2, 3));
    return Pick(v, __builtin_shufflevector(v, v, 2, 3, 0, 1, 2, 3, 0, 1));
}

// Peaks of count interleaved samples. The accumulators start at 0, so the largest value
// is at least 0 and the smallest at most 0, as the summary wants. With two channels the
// even lanes hold the left channel and the odd lanes the right: every load starts at an
// even sample.
SummaryFrame Peaks(const int16_t* s, size_t count, bool stereo)
{
    Vec hiA{}, hiB{}, hiC{}, hiD{}, loA{}, loB{}, loC{}, loD{};
    size_t i = 0;
    for (; i + 4 * VecLanes <= count; i += 4 * VecLanes) {
        const Vec a = Load(s + i);
        const Vec b = Load(s + i + VecLanes);
        const Vec c = Load(s + i + 2 * VecLanes);
        const Vec d = Load(s + i + 3 * VecLanes);
        hiA = Max(hiA, a);
        loA = Min(loA, a);
        hiB = Max(hiB, b);
        loB = Min(loB, b);
        hiC = Max(hiC, c);
        loC = Min(loC, c);
        hiD = Max(hiD, d);
        loD = Min(loD, d);
    }
    for (; i + VecLanes <= count; i += VecLanes) {
        const Vec a = Load(s + i);
        hiA = Max(hiA, a);
        loA = Min(loA, a);
    }
    Vec hi = Max(Max(hiA, hiB), Max(hiC, hiD));
    Vec lo = Min(Min(loA, loB), Min(loC, loD));
    for (; i < count; ++i) {
        const size_t lane = i % VecLanes;
        hi[lane] = std::max(hi[lane], s[i]);
        lo[lane] = std::min(lo[lane], s[i]);
    }
    hi = FoldToPairs<Max>(hi);
    lo = FoldToPairs<Min>(lo);
    if (stereo)
        return {hi[0], lo[0], hi[1], lo[1]};
    return {std::max(hi[0], hi[1]), std::min(lo[0], lo[1]), 0, 0};
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
