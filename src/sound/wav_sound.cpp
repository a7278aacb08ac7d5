#include "sound/wav_sound.h"

#include "common/translation.h"

#include "common/messages.h"
#include "common/paths.h"
#include "sound/file_reader.h"
#include "sound/mp3_decoder.h"
#include "sound/private_temp_folder.h"
#include "sound/sample_order.h"
#include "sound/summary_peaks.h"
#include "sound/wav_header.h"

#include <filesystem>
#include <limits>
#include <new>
#include <vector>

namespace {

const char* const Unsupported = TRANSLATABLE_TEXT("Core", "未対応なフォーマットです");
const char* const CannotOpen = TRANSLATABLE_TEXT("Core", "ファイルが開けません");

std::string Extension(const std::string& path) { return std::filesystem::path(path).extension().string(); }

bool RateSupported(uint32_t rate) { return rate >= MinSampleRate && rate <= MaxSampleRate; }

// Why a WAV header cannot be shown, or null when info was filled.
const char* ReadSoundInfo(const std::string& path, SoundInfo* info)
{
    if (!MatchExt(Extension(path), ".WAV"))
        return Unsupported;
    FileReader file(path);
    if (!file.IsOpen())
        return CannotOpen;
    WavFormat f;
    uint64_t fmtEnd = 0;
    switch (ReadWavFormat(file, f, fmtEnd)) {
    case WavFault::None:
        break;
    case WavFault::NoRiff:
        return TRANSLATABLE_TEXT("Core", "RIFFヘッダがありません");
    case WavFault::NoWave:
        return TRANSLATABLE_TEXT("Core", "WAVEヘッダがありません");
    case WavFault::NoFmt:
        return TRANSLATABLE_TEXT("Core", "fmtチャンクがありません");
    case WavFault::NoFmtSize:
        return TRANSLATABLE_TEXT("Core", "不正なフォーマットです");
    default:
        return CannotOpen;
    }
    if (f.FormatTag != WavePcmTag)
        return Unsupported;
    if (f.Channels != 1 && f.Channels != 2)
        return TRANSLATABLE_TEXT("Core", "不正なチャンネル数です");
    const uint32_t bytesPerSample = f.BlockAlign / f.Channels;
    if (bytesPerSample != 1 && bytesPerSample != 2)
        return TRANSLATABLE_TEXT("Core", "不正なビット数です");
    if (!RateSupported(f.SampleRate))
        return Unsupported;
    uint32_t dataSize = 0;
    switch (FindWavData(file, fmtEnd, dataSize)) {
    case WavFault::None:
        break;
    case WavFault::NoData:
        return TRANSLATABLE_TEXT("Core", "dataチャンクが見つかりません");
    default:
        return CannotOpen;
    }
    if (info) {
        const uint32_t sampleFrames = dataSize / (bytesPerSample * f.Channels);
        const double ms = sampleFrames / (f.SampleRate * 0.001);
        info->Channels = f.Channels;
        info->SampleRate = int32_t(f.SampleRate);
        info->BytesPerSample = int32_t(bytesPerSample);
        info->BitsPerSample = int32_t(bytesPerSample * 8);
        info->Length = ms < double(std::numeric_limits<int32_t>::max()) ? int32_t(ms)
                                                                        : std::numeric_limits<int32_t>::max();
    }
    return nullptr;
}

const char* SummaryMessage(int code)
{
    switch (code) {
    case SummaryInvalidFile:
        return TRANSLATABLE_TEXT("Core", "不正なファイルです");
    case SummaryUnsupported:
        return Unsupported;
    case SummaryDecoderError:
        return TRANSLATABLE_TEXT("Core", "VBMP3.DLL エラー");
    default:
        return CannotOpen;
    }
}

} // namespace

bool WavSound::GetSoundInfo(const std::string& path, SoundInfo* info)
{
    if (const char* reason = ReadSoundInfo(path, info)) {
        ShowError(path + "\n" + Translated("Core", reason));
        return false;
    }
    return true;
}

void WavSound::Report(const std::string& text) const
{
    if (progress_)
        progress_(text);
}

int WavSound::BuildSummary(const std::string& given)
{
    std::string path = given;
    int result = 0;
    try {
        const std::string ext = Extension(path);
        if (!ResolvePath(path)) {
            result = SummaryCannotOpen;
        } else if (MatchExt(ext, ".WAV")) {
            result = Summarize(path);
        } else if (MatchExt(ext, ".MP3")) {
            Report("MP3 Decoding... ");
            // The decoded file lives only as long as this folder.
            PrivateTempFolder temp;
            const std::string wav = temp / "$~TEMP.wav";
            result = temp.Ok() && DecodeMp3ToWav(path, wav) ? Summarize(wav) : SummaryDecoderError;
        } else {
            result = SummaryUnsupported;
        }
    } catch (const std::bad_alloc&) {
        result = SummaryCannotOpen;
    }
    Report("");
    if (result < 0)
        ShowError(given + "\n" + Translated("Core", SummaryMessage(result)));
    return result;
}

int WavSound::Summarize(const std::string& wavPath)
{
    frames_.clear();
    FileReader file(wavPath);
    if (!file.IsOpen())
        return SummaryCannotOpen;
    WavFormat f;
    uint64_t fmtEnd = 0;
    switch (ReadWavFormat(file, f, fmtEnd)) {
    case WavFault::None:
        break;
    case WavFault::ReadFailed:
        return SummaryCannotOpen;
    default:
        return SummaryInvalidFile;
    }
    if (f.FormatTag != WavePcmTag)
        return SummaryUnsupported;
    if (f.Channels != 1 && f.Channels != 2)
        return SummaryInvalidFile;
    channels_ = f.Channels;
    sampleRate_ = int32_t(f.SampleRate);
    bytesPerSample_ = f.BlockAlign / f.Channels;
    if (bytesPerSample_ != 2 || !RateSupported(f.SampleRate))
        return SummaryUnsupported;
    uint32_t dataSize = 0;
    switch (FindWavData(file, fmtEnd, dataSize)) {
    case WavFault::None:
        break;
    case WavFault::ReadFailed:
        return SummaryCannotOpen;
    default:
        return SummaryInvalidFile;
    }

    // One second of sound at a time; each second gives 100 frames of rate / 100 sample
    // frames, and the sample frames left over at the end of a second are not summarised.
    const uint32_t frameBytes = uint32_t(channels_) * 2;
    const uint32_t blockBytes = f.SampleRate * frameBytes;
    const uint32_t blocks = dataSize / blockBytes;
    const uint32_t rest = dataSize % blockBytes;
    const size_t framesPer = f.SampleRate / 100;
    frames_.reserve(size_t(blocks) * 100 + rest / frameBytes / framesPer);
    std::vector<int16_t> buffer(blockBytes / 2);
    for (uint32_t i = 0; i <= blocks; ++i) {
        if (progress_ && blocks > 0)
            Report(Translated("Core", "読み込み中... ") + std::to_string(uint64_t(i) * 100 / blocks) + "%");
        const uint32_t bytes = i < blocks ? blockBytes : rest;
        const size_t sampleFrames = bytes / frameBytes;
        if (sampleFrames == 0)
            break;
        // The size was cut to the file, so a short read is a read error (or a file that
        // shrank meanwhile).
        if (file.Read(buffer.data(), bytes) != bytes)
            return SummaryCannotOpen;
        SwapSamplesOnBigEndian(buffer.data(), sampleFrames * size_t(channels_));
        SummarizeBlock(buffer.data(), sampleFrames, channels_, framesPer, frames_);
    }
    return int(frames_.size());
}
