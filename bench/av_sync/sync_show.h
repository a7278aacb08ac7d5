#pragma once
// The measuring show, shared by the side that plays it and the side that listens.
//
// Its sound has a one-sample click every 250 ms; the click's amplitude on the left and the
// right channel says which click it is, so a heard click names its position in the sound.
// Line 1 is a fine sawtooth: red climbs one level per millisecond from 0 at each click,
// green counts the clicks, so every DMX frame says which show time it shows.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct TStepRec;

namespace sync_show {

inline constexpr int32_t PeriodMs = 250;
inline constexpr int32_t SampleRate = 44100;
inline constexpr int32_t SamplesPerPeriod = SampleRate * PeriodMs / 1000;
inline constexpr int32_t SoundMs = 30000;
inline constexpr int32_t LeadInMs = 2000;
inline constexpr int32_t RunOutMs = 1000;
inline constexpr int ClickStep = 1000; // amplitude units per code value
inline constexpr int ClickCodes = 32;  // code values per channel

// The click track as interleaved 16-bit stereo samples.
std::vector<int16_t> ClickTrackSamples();
// Writes the click track as 16-bit stereo PCM WAV. False when the file cannot be written.
bool WriteClickTrack(const std::string& path);

// The sample pair of click k.
void ClickSamples(int k, int16_t* left, int16_t* right);
// The click number from a sample pair, or nothing when it is no click.
std::optional<int> DecodeClick(int left, int right);

// Line 1's steps, over the lead-in, the sound and the run-out.
std::vector<TStepRec> SawtoothSteps();
// The show time line 1 shows as red and green.
int32_t DecodeShowTime(uint8_t red, uint8_t green);

} // namespace sync_show
