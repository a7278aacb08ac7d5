#pragma once
// Decoding a picture file with the toolkit's image codecs (BMP, JPEG, PNG, GIF and what
// else the installed plug-ins read) into the plain pixels the settings object keeps.

#include "settings/palette_bitmap.h"

#include <QImage>

#include <string>

// True when picture is not empty afterwards; any failure gives false (and an empty picture).
bool LoadImageFile(const std::string& path, PaletteBitmap& picture);

// The palette image as an RGB32 image.
QImage ToImage(const PaletteBitmap& picture);

class ImageFileLoader final : public PaletteImageLoader {
public:
    bool Load(const std::string& path, PaletteBitmap& image) override { return LoadImageFile(path, image); }
};
