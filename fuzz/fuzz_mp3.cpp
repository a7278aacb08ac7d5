// Any bytes as an MP3 file: the information and the decode never crash, a decode stops
// at its bound, and what it writes is a 16-bit WAV file that the summary reads.
#include "fuzz_support.h"

#include "sound/mp3_decoder.h"
#include "sound/wav_sound.h"

#include <cstdio>
#include <cstdlib>

namespace {

// Enough for a few seconds of sound; a longer decode proves nothing more and slows the run.
constexpr uint64_t DecodeLimit = 512 * 1024;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QuietMessages();
    const std::string& mp3 = InputFile(data, size, ".mp3");
    Mp3Info info;
    const bool known = GetMp3Info(mp3, info);
    if (known && ((info.Channels != 1 && info.Channels != 2) || info.SampleRate <= 0 || info.PlayingTime < 0))
        std::abort();

    const std::string wav = OutputFile(".out.wav");
    if (!DecodeMp3ToWav(mp3, wav, DecodeLimit)) {
        if (std::FILE* f = std::fopen(wav.c_str(), "rb")) {
            std::fclose(f);
            std::abort(); // a failed decode leaves no file
        }
        return 0;
    }
    SoundInfo wavInfo;
    if (!known || !WavSound::GetSoundInfo(wav, &wavInfo) || wavInfo.BitsPerSample != 16)
        std::abort();
    WavSound sound;
    const int frames = sound.BuildSummary(wav);
    std::remove(wav.c_str());
    // Rates the summary refuses are the only failure a decoded file may give.
    if (frames < 0 && frames != SummaryUnsupported)
        std::abort();
    return 0;
}
