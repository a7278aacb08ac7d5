#include "editor/time_axis.h"

#include <algorithm>
#include <climits>
#include <cmath>

int TruncToInt(double v)
{
    if (std::isnan(v))
        return 0;
    if (v >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (v <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(v);
}

int TimeAxis::XOfTime(int32_t t) const
{
    return TruncToInt((static_cast<double>(t) + PrePlayTime) * PixelsPerMs());
}

int32_t TimeAxis::TimeOfX(int x) const
{
    return static_cast<int32_t>(
        std::clamp<int64_t>(int64_t{TruncToInt(x / PixelsPerMs())} - PrePlayTime, INT32_MIN, INT32_MAX));
}

int64_t TimelineHundredths(int32_t prePlayTime, int32_t postPlayTime, size_t frameCount)
{
    const double leadAndRunOut = (static_cast<double>(prePlayTime) + postPlayTime) * 0.001;
    return int64_t{TruncToInt(leadAndRunOut)} * 100 + static_cast<int64_t>(frameCount);
}

int ScrollRangeFor(double scale, int64_t hundredths)
{
    return TruncToInt(static_cast<double>(hundredths) * scale);
}

double FitScaleFor(int width, int64_t hundredths)
{
    if (hundredths < 1 || width < 1)
        return 1.0;
    return static_cast<double>(width) / static_cast<double>(hundredths);
}

int PointerX(int localX, int scrollPosition, int scrollRange)
{
    const int64_t x = int64_t{localX} + scrollPosition;
    return static_cast<int>(std::clamp<int64_t>(x, 0, std::max(0, scrollRange)));
}

ApplyScaleResult ApplyScale(const ApplyScaleInput& in)
{
    const int onScreen = in.PlayCursorX - in.ScrollPosition;
    const TimeAxis axis{in.Scale, in.PrePlayTime};
    ApplyScaleResult r;
    r.PixelsPerMs = axis.PixelsPerMs();
    r.PlayCursorX = axis.XOfTime(in.PlayPosition);
    const int64_t hundredths = TimelineHundredths(in.PrePlayTime, in.PostPlayTime, in.FrameCount);
    r.ScrollRange = ScrollRangeFor(in.Scale, hundredths);
    r.FitScale = FitScaleFor(in.ClientWidth, hundredths);
    const double leftTime =
        static_cast<double>(in.PlayPosition) + in.PrePlayTime - TruncToInt(onScreen / r.PixelsPerMs);
    r.ScrollPosition = std::max(0, TruncToInt(leftTime * r.PixelsPerMs));
    return r;
}

PlayCursorMove MovePlayCursor(int playCursorX, int newX, int scrollPosition, int clientWidth, bool playing)
{
    PlayCursorMove m;
    m.PlayCursorX = playCursorX;
    m.ScrollPosition = scrollPosition;
    if (newX == playCursorX)
        return m;
    m.Moved = true;
    m.PlayCursorX = newX;
    if (playing && int64_t{newX} - scrollPosition > clientWidth) {
        m.Pages = true;
        m.ScrollPosition = static_cast<int>(std::min<int64_t>(int64_t{scrollPosition} + clientWidth, INT_MAX));
    }
    return m;
}

int SoundStartScroll(const TimeAxis& axis)
{
    return std::max(0, TruncToInt(axis.PrePlayTime * axis.PixelsPerMs()) - 16);
}

int SoundEndScroll(const TimeAxis& axis, int32_t postPlayTime, int scrollRange, int clientWidth)
{
    const int64_t x = int64_t{scrollRange} - clientWidth - TruncToInt(postPlayTime * axis.PixelsPerMs()) + 16;
    return static_cast<int>(std::clamp<int64_t>(x, INT_MIN, INT_MAX));
}

int WheelScrollPixels(double scale, bool shift)
{
    return TruncToInt((shift ? 200 : 50) * scale);
}
