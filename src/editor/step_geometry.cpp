#include "editor/step_geometry.h"

#include <algorithm>

int RowOfBrightness(int32_t brightness, int height)
{
    const int half = height / 2;
    return TruncToInt(half - brightness / 255.0 * half);
}

int32_t BrightnessOfRow(int y, int height)
{
    const int half = height / 2;
    return std::clamp(TruncToInt((half - y) * 255.0 / half), -255, 255);
}

int BandOffset(int32_t brightness, int half) { return TruncToInt(brightness / 255.0 * half); }

PixelRect BoxAround(int x, int y) { return {x - BoxHalf, y - BoxHalf, x + BoxHalf, y + BoxHalf}; }

PixelRect StepBox(int x, int32_t brightness, int height)
{
    return BoxAround(x, RowOfBrightness(brightness, height) + (brightness < 0 ? 1 : 0));
}

PixelRect MarkerBox(int x) { return {x - BoxHalf, MarkerTop, x + BoxHalf, MarkerBottom}; }

PixelRect SpanOf(int x0, int y0, int x1, int y1)
{
    return {std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1)};
}

int FindStepNear(const TStepList& line, int x, int n, const TimeAxis& axis)
{
    const double ppm = axis.PixelsPerMs();
    const int d = TruncToInt(x - axis.PrePlayTime * ppm);
    const auto offset = [ppm](const TStepRec& s) { return TruncToInt(s.Time * ppm); };
    // Offsets rise with time: skip every step left of the window at once.
    auto it = std::partition_point(line.begin(), line.end(),
                                   [&](const TStepRec& s) { return int64_t{offset(s)} <= int64_t{d} - BoxHalf; });
    for (; it != line.end() && int64_t{offset(*it)} < int64_t{d} + BoxHalf; ++it)
        if (n-- == 0)
            return int(it - line.begin());
    return -1;
}

size_t FirstStepFromX(const TStepList& line, int x, const TimeAxis& axis)
{
    return size_t(std::partition_point(line.begin(), line.end(),
                                       [&](const TStepRec& s) { return axis.XOfTime(s.Time) < x; }) -
                  line.begin());
}

AllLinesRows AllLinesLayout(int height)
{
    AllLinesRows r;
    r.RowHeight = (height - 4) / 8;
    r.BandHalf = std::max(4, r.RowHeight / 2 - 2);
    r.BoxHalf = std::min(8, r.BandHalf);
    return r;
}
