#include "common/output_volume.h"

#include <atomic>

namespace {
std::atomic<uint32_t> volume{0xFFFFFFFFu};
} // namespace

uint16_t ReadWaveOutVolume() { return uint16_t(volume.load() & 0xFFFF); }

void WriteWaveOutVolume(uint16_t value) { volume.store(uint32_t(value) | uint32_t(value) << 16); }

double WaveOutGain()
{
    const uint32_t v = volume.load();
    return ((v & 0xFFFF) + (v >> 16)) / (2.0 * 65535.0);
}
