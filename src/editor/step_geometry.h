#pragma once
// Where steps sit on the canvas panes and how the pointer finds them: the lane's rows of
// brightness, the step boxes, the mark bar's markers and the rows of the reference view's
// all-lines mode. Every real-to-integer conversion truncates toward zero. No Qt, so that the
// arithmetic is tested as plain tables.

#include "document/project_data.h"
#include "editor/time_axis.h"

#include <cstddef>
#include <cstdint>

// A pixel rectangle; right and bottom are exclusive.
struct PixelRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    bool Contains(int x, int y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
    bool Empty() const { return Right <= Left || Bottom <= Top; }
    PixelRect Inflated(int d) const { return {Left - d, Top - d, Right + d, Bottom + d}; }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// Half the edge of a step box and of a marker.
inline constexpr int BoxHalf = 8;
// The mark bar's markers lie between these rows.
inline constexpr int MarkerTop = 26;
inline constexpr int MarkerBottom = 42;

// The row of brightness b in a pane of the given height: trunc(half - b / 255 x half).
int RowOfBrightness(int32_t brightness, int height);
// The brightness of row y: trunc((half - y) x 255 / half), limited to -255..255.
int32_t BrightnessOfRow(int y, int height);
// How far the colour band sits above the centre line: trunc(b / 255 x half).
int BandOffset(int32_t brightness, int half);

// The 16 x 16 box around (x, y).
PixelRect BoxAround(int x, int y);
// The box a pointer hits: the painted box, one pixel lower for a negative brightness.
PixelRect StepBox(int x, int32_t brightness, int height);
// The marker of a step at canvas x.
PixelRect MarkerBox(int x);
// The rectangle spanned by two corners.
PixelRect SpanOf(int x0, int y0, int x1, int y1);

// The n-th step (from 0, in list order) of the line within 8 pixels of canvas x, or -1.
// Near: |trunc(Time x PixelsPerMs) - trunc(x - PrePlayTime x PixelsPerMs)| < 8.
int FindStepNear(const TStepList& line, int x, int n, const TimeAxis& axis);
// The first step whose canvas x is at least x (the line is sorted, so x never falls).
size_t FirstStepFromX(const TStepList& line, int x, const TimeAxis& axis);

// The reference view's eight rows in a pane of the given height.
struct AllLinesRows {
    int RowHeight = 0; // (height - 4) / 8
    int BandHalf = 0;  // max(4, RowHeight / 2 - 2)
    int BoxHalf = 0;   // min(8, BandHalf)

    int Centre(int line) const { return line * RowHeight + BandHalf + 2; }
};
AllLinesRows AllLinesLayout(int height);
