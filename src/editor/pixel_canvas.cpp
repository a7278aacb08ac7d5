#include "editor/pixel_canvas.h"

#include <algorithm>

PixelCanvas::PixelCanvas(uint32_t* bits, int strideWords, int width, int height, int originX)
    : bits_(bits), stride_(strideWords), width_(width), height_(height), originX_(originX)
{
}

void PixelCanvas::Fill(const PixelRect& r, uint32_t pixel)
{
    const int left = std::max(r.Left, originX_) - originX_;
    const int right = std::min(r.Right, originX_ + width_) - originX_;
    const int top = std::max(r.Top, 0);
    const int bottom = std::min(r.Bottom, height_);
    if (left >= right)
        return;
    for (int y = top; y < bottom; ++y) {
        uint32_t* row = bits_ + size_t(y) * size_t(stride_);
        std::fill(row + left, row + right, pixel);
    }
}

void PixelCanvas::Column(int x, int top, int bottom, uint32_t pixel)
{
    if (x < originX_ || x >= originX_ + width_)
        return;
    top = std::max(top, 0);
    bottom = std::min(bottom, height_);
    if (top >= bottom)
        return;
    uint32_t* p = bits_ + size_t(top) * size_t(stride_) + size_t(x - originX_);
    for (int y = top; y < bottom; ++y, p += stride_)
        *p = pixel;
}

void PixelCanvas::Frame(const PixelRect& r, uint32_t pixel) { Bevel(r, pixel, pixel); }

void PixelCanvas::Bevel(const PixelRect& r, uint32_t topLeft, uint32_t bottomRight)
{
    if (r.Empty())
        return;
    Fill({r.Left, r.Top, r.Right - 1, r.Top + 1}, topLeft);
    Fill({r.Left, r.Top, r.Left + 1, r.Bottom - 1}, topLeft);
    Fill({r.Left, r.Bottom - 1, r.Right, r.Bottom}, bottomRight);
    Fill({r.Right - 1, r.Top, r.Right, r.Bottom}, bottomRight);
}

void PixelCanvas::Edge(const PixelRect& r, EdgeKind kind)
{
    using namespace EdgeShade;
    const PixelRect inner = r.Inflated(-1);
    switch (kind) {
    case EdgeKind::Raised:
        Bevel(r, Light, DarkShadow);
        Bevel(inner, Highlight, Shadow);
        break;
    case EdgeKind::Sunken:
        Bevel(r, Shadow, Highlight);
        Bevel(inner, DarkShadow, Light);
        break;
    case EdgeKind::Etched:
        Bevel(r, Shadow, Highlight);
        Bevel(inner, Highlight, Shadow);
        break;
    }
}
