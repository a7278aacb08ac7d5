#pragma once
// 16-bit samples in WAV files are little-endian; in memory they are the machine's own.

#include <bit>
#include <cstddef>
#include <cstdint>

// Turns little-endian samples into the machine's order, or back (the same swap).
inline void SwapSamplesOnBigEndian([[maybe_unused]] int16_t* samples, [[maybe_unused]] size_t count)
{
    if constexpr (std::endian::native == std::endian::big) {
        for (size_t i = 0; i < count; ++i) {
            const auto u = uint16_t(samples[i]);
            samples[i] = int16_t(uint16_t(u << 8 | u >> 8));
        }
    }
}
