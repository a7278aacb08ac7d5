#pragma once
// The time axis that every pane of the canvas shares: canvas x 0 is the start of the lead-in,
// Scale is in pixels per 1/100 s. Every real-to-integer conversion here truncates toward zero.
// No Qt, so that the arithmetic is tested as plain tables.

#include <cstddef>
#include <cstdint>

// trunc(v), limited to the int range (a scale or a width of 0 must not make a cast undefined).
int TruncToInt(double v);

struct TimeAxis {
    double Scale = 0.25;
    int32_t PrePlayTime = 0;

    double PixelsPerMs() const { return Scale * 100 * 0.001; }
    // trunc((t + PrePlayTime) x PixelsPerMs)
    int XOfTime(int32_t t) const;
    // trunc(x / PixelsPerMs) - PrePlayTime
    int32_t TimeOfX(int x) const;
};

// The scroll range (canvas width) for a timeline of lead-in, run-out and summary frames:
// trunc(L x scale), L = trunc((pre + post) x 0.001) x 100 + frames, in 1/100 s.
int64_t TimelineHundredths(int32_t prePlayTime, int32_t postPlayTime, size_t frameCount);
int ScrollRangeFor(double scale, int64_t hundredths);
// The scale at which the timeline fills width pixels; 1.0 when there is no timeline or no
// width to fill.
double FitScaleFor(int width, int64_t hundredths);

// The canvas x under a pointer at viewport x localX, limited to 0..scrollRange.
int PointerX(int localX, int scrollPosition, int scrollRange);

struct ApplyScaleInput {
    double Scale = 0.25;        // the new scale
    int PlayCursorX = 0;        // as drawn under the old scale
    int ScrollPosition = 0;     // before the change
    int32_t PlayPosition = 0;
    int32_t PrePlayTime = 0;
    int32_t PostPlayTime = 0;
    size_t FrameCount = 0;
    int ClientWidth = 0;
};

struct ApplyScaleResult {
    double PixelsPerMs = 0;
    int PlayCursorX = 0;
    int ScrollRange = 0;
    double FitScale = 1.0;
    // Keeps the play cursor at its screen x; at least 0. Not yet limited to the far end:
    // the scroll bar does that.
    int ScrollPosition = 0;
};

// The arithmetic after Scale changed.
ApplyScaleResult ApplyScale(const ApplyScaleInput& in);

struct PlayCursorMove {
    bool Moved = false;    // newX differs from the cursor as drawn
    int PlayCursorX = 0;
    bool Pages = false;    // playing and the cursor left the view to the right
    int ScrollPosition = 0; // one client width further when paging
};

PlayCursorMove MovePlayCursor(int playCursorX, int newX, int scrollPosition, int clientWidth, bool playing);

// The start of the sound 16 pixels from the left edge (never before the canvas start).
int SoundStartScroll(const TimeAxis& axis);
// The end of the sound 16 pixels from the right edge; the scroll bar limits the result.
int SoundEndScroll(const TimeAxis& axis, int32_t postPlayTime, int scrollRange, int clientWidth);

// How far one wheel notch over the mark bar scrolls: 2 s with Shift, else 0.5 s.
int WheelScrollPixels(double scale, bool shift);
