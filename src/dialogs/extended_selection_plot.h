#pragma once
// Where the extended selection window draws a step: hue across, saturation or brightness
// upwards, in a plot of a given size. No Qt.

#include <cstdint>

enum class PlotMode { HueSaturation = 0, HueBrightness = 1 };

struct PlotSpot {
    int32_t X = 0;
    int32_t Y = 0;
    bool operator==(const PlotSpot&) const = default;
};

// Half the edge of a point's square: min(width, height) / 50, held to 4..8.
int PlotHalfEdge(int width, int height);
// The centre of a step's square. A grey lies on the hue axis by its level (black at the
// plot area's left edge, white at its right) with no saturation.
PlotSpot PlotSpotOf(uint32_t color, int32_t brightness, PlotMode mode, int width, int height);
