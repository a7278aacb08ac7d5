#pragma once
// The horizontal zoom commands: in and out along a fixed ladder of scales, and fit. The
// commands act only while a sound is loaded (a summary with at least one frame).

inline constexpr double MaxScale = 4.0;

// The first ladder value above scale, or MaxScale above the top of the ladder.
double ZoomInScale(double scale);
// The first ladder value below scale, or fitScale below the bottom of the ladder.
double ZoomOutScale(double scale, double fitScale);

bool ZoomInEnabled(double scale, bool soundLoaded);
// Out stops at 0.001, or further out at fitScale when the timeline needs that to fit.
bool ZoomOutEnabled(double scale, double fitScale, bool soundLoaded);
bool ZoomFitEnabled(bool soundLoaded);
