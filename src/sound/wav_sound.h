#pragma once
// The show's sound file: its format and length, and its waveform summary (one
// SummaryFrame per 10 ms of sound), with the summary's cache file (*.wfm).
//
// GetSoundInfo and BuildSummary show their own error messages (common/messages.h), the
// file's path and a line below it the reason; callers only test the result. Everything
// here runs on the thread that owns the object.

#include "common/atomic_file.h"
#include "sound/summary_frame.h"

#include <cstdint>
#include <functional>
#include <string>

// What GetSoundInfo tells about a WAV file.
struct SoundInfo {
    int32_t Channels = 0;
    int32_t SampleRate = 0;
    int32_t BytesPerSample = 0;
    int32_t BitsPerSample = 0;
    int32_t Length = 0; // ms
};

// BuildSummary's error codes.
enum SummaryError : int {
    SummaryCannotOpen = -1,  // "ファイルが開けません"
    SummaryInvalidFile = -2, // "不正なファイルです"
    SummaryUnsupported = -3, // "未対応なフォーマットです"
    SummaryDecoderError = -4, // "VBMP3.DLL エラー"
};

class WavSound {
public:
    // Receives the progress texts of BuildSummary, and an empty text when they end.
    using Progress = std::function<void(const std::string& text)>;

    // A null callback shows no progress.
    void SetProgress(Progress progress) { progress_ = std::move(progress); }

    // Reads the header of the WAV file at path (the extension must be .wav in any letter
    // case). On success fills *info when info is given and returns true; otherwise shows
    // the reason and returns false.
    static bool GetSoundInfo(const std::string& path, SoundInfo* info);

    // Replaces the summary with that of the WAV or MP3 file at path (relative to the
    // executable's folder unless absolute). Returns the number of frames, or a negative
    // SummaryError after showing its message. A missing file, an unsupported extension or
    // a failed MP3 decode keep the summary as it was; a file that fails later leaves the
    // frames gathered up to the failure.
    int BuildSummary(const std::string& path);

    // Replaces the summary with the records of a waveform file; returns their number (0
    // when the file is missing or unreadable). Shows nothing.
    int LoadSummary(const std::string& path);

    // Writes the summary as a waveform file, replacing it whole (the old file survives a
    // failed write). An empty summary writes nothing. Fails when nothing was written, with
    // the system's reason; shows nothing.
    WriteResult SaveSummary(const std::string& path) const;

    void ClearSummary() { frames_.clear(); }

    size_t FrameCount() const { return frames_.size(); }
    const SummaryFrame& Frame(size_t index) const { return frames_[index]; }
    const TWavFrmList& Frames() const { return frames_; }

    // Of the last file whose format BuildSummary read.
    int32_t Channels() const { return channels_; }
    int32_t SampleRate() const { return sampleRate_; }
    int32_t BytesPerSample() const { return bytesPerSample_; }

private:
    int Summarize(const std::string& wavPath);
    void Report(const std::string& text) const;

    TWavFrmList frames_;
    Progress progress_;
    int32_t channels_ = 0;
    int32_t sampleRate_ = 0;
    int32_t bytesPerSample_ = 0;
};
