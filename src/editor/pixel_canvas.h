#pragma once
// A window of canvas columns held as 32-bit pixels (0xFFRRGGBB, the layout of an RGB32
// image), with the few figures the step panes draw: filled and framed rectangles, single
// columns and rows, and the two-pixel 3-D edges of the step boxes. Coordinates are canvas
// coordinates; everything is clipped to the window. Drawing boxes pixel by pixel keeps a
// pane with thousands of steps in view fast, where a painter call per figure would not be.

#include "editor/step_geometry.h"

#include <cstdint>

// 0x00BBGGRR as a pixel.
inline constexpr uint32_t PixelOf(uint32_t bbggrr)
{
    return 0xFF000000u | (bbggrr & 0xFFu) << 16 | (bbggrr & 0xFF00u) | (bbggrr >> 16 & 0xFFu);
}

enum class EdgeKind { Raised, Sunken, Etched };

// The shades of the 3-D edges, as pixels.
namespace EdgeShade {
inline constexpr uint32_t Highlight = 0xFFFFFFFF;
inline constexpr uint32_t Light = 0xFFE3E3E3;
inline constexpr uint32_t Shadow = 0xFFA0A0A0;
inline constexpr uint32_t DarkShadow = 0xFF696969;
} // namespace EdgeShade

class PixelCanvas {
public:
    // bits: height rows of strideWords pixels; column 0 is canvas x originX.
    PixelCanvas(uint32_t* bits, int strideWords, int width, int height, int originX);

    int Left() const { return originX_; }
    int Right() const { return originX_ + width_; }
    int Height() const { return height_; }

    void Fill(const PixelRect& r, uint32_t pixel);
    // The one-pixel ring just inside r.
    void Frame(const PixelRect& r, uint32_t pixel);
    // Two rings inside r: the outer and inner bevels of the kind.
    void Edge(const PixelRect& r, EdgeKind kind);
    // Rows top..bottom-1 of column x.
    void Column(int x, int top, int bottom, uint32_t pixel);

private:
    // One bevel ring: topLeft on the top row and left column, bottomRight on the bottom
    // row and right column (which own the two far corners).
    void Bevel(const PixelRect& r, uint32_t topLeft, uint32_t bottomRight);

    uint32_t* bits_;
    int stride_;
    int width_;
    int height_;
    int originX_;
};
