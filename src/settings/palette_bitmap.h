#pragma once
// The user palette image of the step colour dialog, as plain pixels, and the interface
// through which it is decoded. The core decodes no image format itself: the desktop
// program gives its toolkit's decoder (BMP, JPEG, PNG, GIF).

#include <cstdint>
#include <string>
#include <vector>

struct PaletteBitmap {
    int Width = 0;
    int Height = 0;
    std::vector<uint32_t> Pixels; // row by row, 0xFFRRGGBB

    bool Empty() const { return Width <= 0 || Height <= 0; }
};

class PaletteImageLoader {
public:
    virtual ~PaletteImageLoader() = default;
    // Decodes the image file at path into image; false when it cannot be decoded.
    virtual bool Load(const std::string& path, PaletteBitmap& image) = 0;
};
