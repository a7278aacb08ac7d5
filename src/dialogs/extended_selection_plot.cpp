#include "dialogs/extended_selection_plot.h"

#include <algorithm>

int PlotHalfEdge(int width, int height) { return std::clamp(std::min(width, height) / 50, 4, 8); }

PlotSpot PlotSpotOf(uint32_t color, int32_t brightness, PlotMode mode, int width, int height)
{
    const int a = PlotHalfEdge(width, height);
    const double w = width - 4 * a;
    const int h = height - 4 * a;
    const int mid = h / 2;
    const double r = color & 0xFF;
    const double g = (color >> 8) & 0xFF;
    const double b = (color >> 16) & 0xFF;
    const double mx = std::max({r, g, b});
    const double mn = std::min({r, g, b});
    double hue = 0;
    double saturation = 0;
    if (mx > mn) {
        if (r == mx)
            hue = 60 * (g - b) / (mx - mn);
        else if (g == mx)
            hue = 60 * ((b - r) / (mx - mn) + 2);
        else
            hue = 60 * ((r - g) / (mx - mn) + 4);
        if (hue < 0)
            hue += 360;
        saturation = (mx - mn) / mx;
    } else {
        hue = mx / 255 * 360;
    }
    PlotSpot spot;
    spot.X = int32_t(hue / 360 * w + 2 * a);
    if (mode == PlotMode::HueSaturation)
        spot.Y = int32_t((1 - saturation) * h + 2 * a);
    else
        spot.Y = int32_t(mid - brightness / 255.0 * mid + 2 * a);
    return spot;
}
