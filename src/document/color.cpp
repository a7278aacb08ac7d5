#include "document/color.h"

#include "document/step_rec.h"

#include <algorithm>
#include <cmath>

uint32_t ApplyBrightness(uint32_t color, int32_t brightness)
{
    if (color == NoColor)
        color = 0;
    // Files may hold any brightness; beyond the limits the result is white or black anyway.
    brightness = std::clamp(brightness, -255, 255);
    auto channel = [brightness](int32_t c) {
        int32_t v = brightness >= 0 ? c + brightness * (255 - c) / 255 : c * (brightness + 255) / 255;
        return uint32_t(std::clamp(v, 0, 255));
    };
    return PackColor(channel(RedOf(color)), channel(GreenOf(color)), channel(BlueOf(color)));
}

uint32_t FadeToGray(uint32_t color, double fraction)
{
    if (color == NoColor)
        color = 0;
    fraction = std::isnan(fraction) ? 0.0 : std::clamp(fraction, 0.0, 1.0);
    auto channel = [fraction](double c) { return uint32_t(int32_t(c - (c - 128.0) * fraction)); };
    return PackColor(channel(RedOf(color)), channel(GreenOf(color)), channel(BlueOf(color)));
}

uint32_t HueRamp(double fraction)
{
    fraction = std::isnan(fraction) ? 0.0 : std::clamp(fraction, 0.0, 1.0);
    const int32_t a = int32_t(fraction * 1279);
    const uint32_t d = uint32_t(a % 256);
    switch (a / 256) {
    case 0: return PackColor(255, d, 0);
    case 1: return PackColor(255 - d, 255, 0);
    case 2: return PackColor(0, 255, d);
    case 3: return PackColor(0, 255 - d, 255);
    case 4: return PackColor(d, 0, 255);
    default: return PackColor(255, 0, 255 - d);
    }
}
