#include "sync_show.h"

#include "document/step_rec.h"

#include <cmath>
#include <cstdio>
#include <memory>

namespace sync_show {

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

void PutTag(std::vector<uint8_t>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

} // namespace

void ClickSamples(int k, int16_t* left, int16_t* right)
{
    *left = int16_t(ClickStep * (1 + k % ClickCodes));
    *right = int16_t(ClickStep * (1 + k / ClickCodes % ClickCodes));
}

std::optional<int> DecodeClick(int left, int right)
{
    if (left < ClickStep / 2 || right < ClickStep / 2)
        return std::nullopt;
    const int low = int(std::lround(double(left) / ClickStep)) - 1;
    const int high = int(std::lround(double(right) / ClickStep)) - 1;
    if (low >= ClickCodes || high >= ClickCodes)
        return std::nullopt;
    return high * ClickCodes + low;
}

std::vector<int16_t> ClickTrackSamples()
{
    const size_t frames = size_t(int64_t(SoundMs) * SampleRate / 1000);
    std::vector<int16_t> samples(frames * 2, 0);
    for (size_t k = 0; k * size_t(SamplesPerPeriod) < frames; ++k)
        ClickSamples(int(k), &samples[k * SamplesPerPeriod * 2], &samples[k * SamplesPerPeriod * 2 + 1]);
    return samples;
}

bool WriteClickTrack(const std::string& path)
{
    const std::vector<int16_t> samples = ClickTrackSamples();
    const uint32_t dataBytes = uint32_t(samples.size() * 2);
    std::vector<uint8_t> out;
    out.reserve(44 + dataBytes);
    PutTag(out, "RIFF");
    Put32(out, 36 + dataBytes);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put32(out, 16);
    Put16(out, 1); // PCM
    Put16(out, 2);
    Put32(out, SampleRate);
    Put32(out, SampleRate * 4);
    Put16(out, 4);
    Put16(out, 16);
    PutTag(out, "data");
    Put32(out, dataBytes);
    for (int16_t v : samples)
        Put16(out, uint16_t(v));
    std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(path.c_str(), "wb"), std::fclose);
    return f && std::fwrite(out.data(), 1, out.size(), f.get()) == out.size();
}

std::vector<TStepRec> SawtoothSteps()
{
    std::vector<TStepRec> steps;
    for (int32_t k = -LeadInMs / PeriodMs; k * PeriodMs < SoundMs + RunOutMs; ++k) {
        const uint32_t green = uint32_t(uint8_t(k)) << 8;
        for (int32_t red : {0, PeriodMs - 1}) {
            TStepRec s;
            s.Line = 0;
            s.Time = k * PeriodMs + red;
            s.Color = uint32_t(red) | green;
            steps.push_back(s);
        }
    }
    for (size_t i = 0; i + 1 < steps.size(); ++i)
        steps[i].Duration = steps[i + 1].Time - steps[i].Time;
    return steps;
}

int32_t DecodeShowTime(uint8_t red, uint8_t green)
{
    // Green counts periods modulo 256; the show spans -8 to 124.
    const int32_t k = green >= 192 ? int32_t(green) - 256 : int32_t(green);
    return k * PeriodMs + red;
}

} // namespace sync_show
