#pragma once
// WAV files laid out by hand for the sound tests, independently of the program's reader.

#include "support/test_support.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

struct WavLayout {
    uint16_t formatTag = 1;
    uint16_t channels = 2;
    uint32_t sampleRate = 44100;
    uint16_t bitsPerSample = 16;
    std::optional<uint16_t> blockAlign; // channels * bits / 8 unless given
    Bytes fmtExtra;                     // after the 16 bytes of format, inside the fmt chunk
    Bytes beforeData;                   // whole chunks between the fmt and the data chunk
    Bytes data;                         // the sound bytes
    std::optional<uint32_t> dataSize;   // the data chunk's size field, when it should lie
};

Bytes WavBytes(const WavLayout& layout);

// A chunk: id, little-endian size, body and, for an odd size, one pad byte.
Bytes Chunk(const std::string& id, const Bytes& body);

Bytes Join(Bytes a, const Bytes& b);

// frames sample frames of 16-bit sound, channels interleaved, sample(frame, channel).
Bytes Pcm16(size_t frames, int channels, const std::function<int16_t(size_t frame, int channel)>& sample);

// A sine tone of 16-bit sound at the given peak per channel.
Bytes Tone16(double seconds, uint32_t rate, int channels, double hz, int16_t leftPeak, int16_t rightPeak);
