#pragma once
// MP3 files, through libmpg123: decoding to a 16-bit PCM WAV file for the waveform
// summary, and the format and playing time for the sound information line.

#include <cstdint>
#include <string>

// What the callers read about an MP3 file.
struct Mp3Info {
    int32_t Channels = 0;     // 2 is shown as stereo, anything else as mono
    int32_t RateDecimal = 0;  // the digit after the point of the kHz figure: (rate mod 1000) / 100
    int32_t SampleRate = 0;   // Hz
    int32_t PlayingTime = 0;  // whole seconds
};

// The most sound data a WAV file can hold: its data size is a 32-bit field.
inline constexpr uint64_t MaxWavDataBytes = 0xFFFFFFFFu - 36u;

// Writes the sound of mp3Path to wavPath as a 16-bit PCM WAV (the channels and rate of
// the MP3). A file already at wavPath is deleted first. False when the MP3 cannot be
// opened or decoded, has no sound, its sound would exceed maxDataBytes (a corrupt file
// must not fill the disk or run on), or the WAV cannot be written; no WAV is left then.
bool DecodeMp3ToWav(const std::string& mp3Path, const std::string& wavPath,
                    uint64_t maxDataBytes = MaxWavDataBytes);

// Fills info with the format and playing time of the first MP3 stream found in the file.
// False when the file cannot be opened or holds no MP3 frame.
bool GetMp3Info(const std::string& mp3Path, Mp3Info& info);
