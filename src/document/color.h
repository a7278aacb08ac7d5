#pragma once
// Colour values (0x00BBGGRR) and the conversions that turn a line's colour and brightness
// into what the lights show and the screen paints.

#include <cstdint>

struct ColorPair {
    uint32_t Color;
    int32_t Brightness;
    friend bool operator==(const ColorPair&, const ColorPair&) = default;
};

inline constexpr uint32_t PackColor(uint32_t r, uint32_t g, uint32_t b) { return r | g << 8 | b << 16; }
inline constexpr uint32_t RedOf(uint32_t c) { return c & 0xFF; }
inline constexpr uint32_t GreenOf(uint32_t c) { return (c >> 8) & 0xFF; }
inline constexpr uint32_t BlueOf(uint32_t c) { return (c >> 16) & 0xFF; }

// Positive brightness moves toward white, negative toward black. NoColor counts as black.
uint32_t ApplyBrightness(uint32_t color, int32_t brightness);

// fraction 0 keeps the colour, 1 gives mid-grey; limited to 0..1. NoColor counts as black.
uint32_t FadeToGray(uint32_t color, double fraction);

// Red, yellow, green, cyan, blue to magenta over 0..1.
uint32_t HueRamp(double fraction);
