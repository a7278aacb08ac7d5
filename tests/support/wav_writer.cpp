#include "support/wav_writer.h"

#include <cmath>
#include <numbers>

Bytes Chunk(const std::string& id, const Bytes& body)
{
    Bytes b(id.begin(), id.end());
    b.resize(8);
    PutI32(b, 4, int32_t(body.size()));
    b.insert(b.end(), body.begin(), body.end());
    if (body.size() % 2)
        b.push_back(0);
    return b;
}

Bytes Join(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes WavBytes(const WavLayout& s)
{
    Bytes fmt(16, 0);
    PutU16(fmt, 0, s.formatTag);
    PutU16(fmt, 2, s.channels);
    PutI32(fmt, 4, int32_t(s.sampleRate));
    const uint16_t align = s.blockAlign.value_or(uint16_t(s.channels * s.bitsPerSample / 8));
    PutI32(fmt, 8, int32_t(s.sampleRate * align));
    PutU16(fmt, 12, align);
    PutU16(fmt, 14, s.bitsPerSample);
    fmt.insert(fmt.end(), s.fmtExtra.begin(), s.fmtExtra.end());

    Bytes body{'W', 'A', 'V', 'E'};
    const Bytes fmtChunk = Chunk("fmt ", fmt);
    body.insert(body.end(), fmtChunk.begin(), fmtChunk.end());
    body.insert(body.end(), s.beforeData.begin(), s.beforeData.end());
    Bytes data = Chunk("data", s.data);
    if (s.dataSize)
        PutI32(data, 4, int32_t(*s.dataSize));
    body.insert(body.end(), data.begin(), data.end());
    return Chunk("RIFF", body);
}

Bytes Pcm16(size_t frames, int channels, const std::function<int16_t(size_t frame, int channel)>& sample)
{
    Bytes b(frames * size_t(channels) * 2);
    size_t at = 0;
    for (size_t f = 0; f < frames; ++f)
        for (int c = 0; c < channels; ++c, at += 2)
            PutU16(b, at, uint16_t(sample(f, c)));
    return b;
}

Bytes Tone16(double seconds, uint32_t rate, int channels, double hz, int16_t leftPeak, int16_t rightPeak)
{
    return Pcm16(size_t(seconds * rate), channels, [&](size_t f, int c) {
        const double v = std::sin(2 * std::numbers::pi * hz * double(f) / rate);
        return int16_t(std::lround(v * (c == 0 ? leftPeak : rightPeak)));
    });
}
