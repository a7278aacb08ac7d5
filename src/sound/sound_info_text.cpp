#include "sound/sound_info_text.h"

#include "common/paths.h"
#include "common/time_text.h"
#include "sound/mp3_decoder.h"
#include "sound/wav_sound.h"

#include <cstdio>
#include <filesystem>

namespace {

const char* ChannelText(int32_t channels) { return channels == 2 ? "stereo  " : "mono  "; }

} // namespace

std::string SoundInfoText(const std::string& given)
{
    std::string path = given;
    if (!ResolvePath(path))
        return {};
    const std::string ext = std::filesystem::path(path).extension().string();
    char buf[64];
    if (MatchExt(ext, ".WAV")) {
        SoundInfo info;
        if (!WavSound::GetSoundInfo(path, &info))
            return {};
        const auto rate = uint32_t(info.SampleRate);
        std::snprintf(buf, sizeof buf, "%u.%ukHz %ubit ", rate / 1000, rate % 1000 / 100,
                      uint32_t(info.BitsPerSample));
        return buf + std::string(ChannelText(info.Channels)) + TimeText(info.Length);
    }
    if (MatchExt(ext, ".MP3")) {
        Mp3Info info;
        if (!GetMp3Info(path, info))
            return {};
        std::snprintf(buf, sizeof buf, "%u.%ukHz ", uint32_t(info.SampleRate) / 1000, uint32_t(info.RateDecimal));
        return buf + std::string(ChannelText(info.Channels)) + RulerText(info.PlayingTime);
    }
    return {};
}
