#pragma once
// Walking the chunks of a RIFF WAVE file up to its format and its sound data. Sizes in
// the file are never trusted: a chunk that runs past the end of the file makes the next
// read fail, and the data size is cut to the bytes the file really holds.

#include "sound/file_reader.h"

#include <cstdint>
#include <string>

// Searches from the current position for the chunk or form identifier id (4 characters),
// skipping every other chunk with its pad byte. True with the position just after the
// identifier. Fails on a read short of 4 bytes, an identifier byte that is not printable
// (up to and with the first that differs from id), or a skipped chunk's size below 2.
bool FindChunk(FileReader& stream, const std::string& id);

// Where reading a WAV header stopped.
enum class WavFault {
    None,
    NoRiff,     // no "RIFF" identifier
    NoWave,     // no "WAVE" form type
    NoFmt,      // no "fmt " chunk
    NoFmtSize,  // the file ends inside the fmt chunk's size
    ReadFailed, // the file ends inside the format or the data size, or a read failed
    NoData,     // no "data" chunk after the fmt chunk
};

// The first 16 bytes of the fmt chunk (the average bytes per second are not used).
struct WavFormat {
    uint16_t FormatTag = 0;
    uint16_t Channels = 0;
    uint32_t SampleRate = 0;
    uint16_t BlockAlign = 0;
    uint16_t BitsPerSample = 0;
};

inline constexpr uint16_t WavePcmTag = 1;
// Sample rates outside this range are refused: below 100 Hz a 10 ms frame holds no
// sample frame at all, and above it a one-second buffer would grow without bound.
inline constexpr uint32_t MinSampleRate = 100;
inline constexpr uint32_t MaxSampleRate = 768000;

// From the start of the file: RIFF, WAVE, fmt and its format. fmtEnd is where the fmt
// chunk ends (with its pad byte).
WavFault ReadWavFormat(FileReader& stream, WavFormat& format, uint64_t& fmtEnd);

// From fmtEnd: the data chunk. Leaves the position at the first byte of sound data;
// dataSize is at most the bytes that follow it in the file.
WavFault FindWavData(FileReader& stream, uint64_t fmtEnd, uint32_t& dataSize);
