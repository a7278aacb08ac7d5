#include "editor/zoom_ladder.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<double, 13> Ladder{0.0001, 0.0005, 0.001, 0.005, 0.01, 0.025, 0.05,
                                        0.1,    0.25,   0.5,   1.0,   1.5,  2.0};

} // namespace

double ZoomInScale(double scale)
{
    const auto next = std::upper_bound(Ladder.begin(), Ladder.end(), scale);
    return next == Ladder.end() ? MaxScale : *next;
}

double ZoomOutScale(double scale, double fitScale)
{
    const auto notBelow = std::lower_bound(Ladder.begin(), Ladder.end(), scale);
    return notBelow == Ladder.begin() ? fitScale : *(notBelow - 1);
}

bool ZoomInEnabled(double scale, bool soundLoaded) { return soundLoaded && scale < MaxScale; }

bool ZoomOutEnabled(double scale, double fitScale, bool soundLoaded)
{
    return soundLoaded && scale > std::min(0.001, fitScale);
}

bool ZoomFitEnabled(bool soundLoaded) { return soundLoaded; }
