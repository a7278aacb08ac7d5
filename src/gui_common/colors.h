#pragma once
// Colours are kept as 0x00BBGGRR (red in the low byte) in the settings and the show; Qt's
// integers are 0xAARRGGBB. Every colour that reaches a painter goes through here.

#include <QColor>

#include <cstdint>

inline QColor ToQColor(uint32_t bbggrr)
{
    return QColor(static_cast<int>(bbggrr & 0xFF), static_cast<int>((bbggrr >> 8) & 0xFF),
                  static_cast<int>((bbggrr >> 16) & 0xFF));
}
