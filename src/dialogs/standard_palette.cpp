#include "dialogs/standard_palette.h"

#include "document/color.h"

#include <algorithm>

uint32_t StandardPaletteColor(int i, int r, int width, int height)
{
    if (width < 1 || height < 1)
        return 0;
    i = std::clamp(i, 0, width - 1);
    r = std::clamp(r, 0, height - 1);
    return FadeToGray(HueRamp(double(i) / width), double(r) / height);
}

QImage StandardPaletteImage(int width, int height)
{
    QImage image(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    for (int r = 0; r < image.height(); ++r) {
        auto* row = reinterpret_cast<uint32_t*>(image.scanLine(r));
        for (int i = 0; i < image.width(); ++i) {
            const uint32_t c = StandardPaletteColor(i, r, width, height);
            row[i] = 0xFF000000u | RedOf(c) << 16 | GreenOf(c) << 8 | BlueOf(c);
        }
    }
    return image;
}
