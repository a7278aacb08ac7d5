#pragma once
// This program's own output volume (the "wave-out volume"): 0..65535 per channel, left in
// the low 16 bits and right in the high 16 bits, as the volume settings and the volume
// commands read and write it. Sound leaves at the audio player's own volume times this.
// Process-wide, readable and writable from any thread.

#include <cstdint>

// The left channel, 0..65535.
uint16_t ReadWaveOutVolume();
// Sets both channels to value.
void WriteWaveOutVolume(uint16_t value);
// Both channels as a linear gain 0..1 (their mean), for the player.
double WaveOutGain();
