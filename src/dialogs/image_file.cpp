#include "dialogs/image_file.h"

#include <cstring>

bool LoadImageFile(const std::string& path, PaletteBitmap& picture)
{
    picture = {};
    QImage image(QString::fromStdString(path));
    if (image.isNull())
        return false;
    image = image.convertToFormat(QImage::Format_RGB32);
    picture.Width = image.width();
    picture.Height = image.height();
    picture.Pixels.resize(size_t(picture.Width) * size_t(picture.Height));
    for (int y = 0; y < picture.Height; ++y)
        std::memcpy(picture.Pixels.data() + size_t(y) * size_t(picture.Width), image.constScanLine(y),
                    size_t(picture.Width) * 4);
    return !picture.Empty();
}

QImage ToImage(const PaletteBitmap& picture)
{
    if (picture.Empty() || picture.Pixels.size() < size_t(picture.Width) * size_t(picture.Height))
        return {};
    QImage image(picture.Width, picture.Height, QImage::Format_RGB32);
    for (int y = 0; y < picture.Height; ++y)
        std::memcpy(image.scanLine(y), picture.Pixels.data() + size_t(y) * size_t(picture.Width),
                    size_t(picture.Width) * 4);
    return image;
}
