#pragma once
// The generated standard palette: hues from left to right, fading to mid-grey toward the
// bottom. Pixel (i, r) of a w x h palette is FadeToGray(HueRamp(i / w), r / h).

#include <QImage>

#include <cstdint>

// The colour (0x00BBGGRR) of pixel (i, r); a point outside is taken at the nearest edge.
uint32_t StandardPaletteColor(int i, int r, int width, int height);
QImage StandardPaletteImage(int width, int height);
