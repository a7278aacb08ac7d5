// Any bytes as a WAV file: the header reader and the waveform summary agree, every
// failure is one of the known codes, and no frame is made from bytes the file lacks.
#include "fuzz_support.h"

#include "sound/wav_sound.h"

#include <cstdlib>

namespace {

bool PeaksInRange(const SummaryFrame& f, bool stereo)
{
    const bool left = f.LeftMax >= 0 && f.LeftMax <= 32767 && f.LeftMin <= 0 && f.LeftMin >= -32768;
    const bool right = stereo ? f.RightMax >= 0 && f.RightMax <= 32767 && f.RightMin <= 0 && f.RightMin >= -32768
                              : f.RightMax == 0 && f.RightMin == 0;
    return left && right;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QuietMessages();
    const std::string& path = InputFile(data, size, ".wav");
    SoundInfo info;
    const bool readable = WavSound::GetSoundInfo(path, &info);
    WavSound sound;
    const int result = sound.BuildSummary(path);
    if (result < SummaryUnsupported)
        std::abort(); // a WAV file never reaches the MP3 decoder
    if (result < 0)
        return 0;
    // Whatever BuildSummary summarises, GetSoundInfo reads as the same format.
    if (!readable || info.Channels != sound.Channels() || info.SampleRate != sound.SampleRate() ||
        info.BytesPerSample != 2 || size_t(result) != sound.FrameCount())
        std::abort();
    const size_t frameBytes = size_t(sound.SampleRate() / 100) * size_t(sound.Channels()) * 2;
    if (sound.FrameCount() * frameBytes > size)
        std::abort();
    for (size_t i = 0; i < sound.FrameCount(); ++i)
        if (!PeaksInRange(sound.Frame(i), sound.Channels() == 2))
            std::abort();
    return 0;
}
