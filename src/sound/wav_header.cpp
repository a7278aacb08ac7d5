#include "sound/wav_header.h"

#include "common/byte_io.h"

#include <algorithm>

namespace {

bool IsPrintable(uint8_t c) { return c >= 0x20 && c < 0x7F; }

bool ReadLe32(FileReader& stream, uint32_t& value)
{
    uint8_t b[4];
    if (stream.Read(b, 4) != 4)
        return false;
    value = GetLe32(b);
    return true;
}

} // namespace

bool FindChunk(FileReader& stream, const std::string& id)
{
    if (id.size() != 4)
        return false;
    for (;;) {
        uint8_t got[4];
        if (stream.Read(got, 4) != 4)
            return false;
        bool equal = true;
        for (size_t i = 0; i < 4; ++i) {
            if (!IsPrintable(got[i]))
                return false;
            if (got[i] != uint8_t(id[i])) {
                equal = false;
                break;
            }
        }
        if (equal)
            return true;
        uint32_t size = 0;
        if (!ReadLe32(stream, size) || size < 2)
            return false;
        // A chunk of odd size is followed by one pad byte, a zero. Some writers leave it
        // out: where the byte after the chunk is no zero, the next id starts there.
        uint64_t next = stream.Position() + size;
        if (size & 1u) {
            uint8_t pad = 0;
            stream.Seek(next);
            if (stream.Read(&pad, 1) == 1 && pad == 0)
                ++next;
        }
        stream.Seek(next);
    }
}

namespace {

// A read error counts as such, whatever the step it cut short.
WavFault Checked(const FileReader& stream, WavFault fault)
{
    return fault != WavFault::None && stream.Failed() ? WavFault::ReadFailed : fault;
}

WavFault ReadFormat(FileReader& stream, WavFormat& format, uint64_t& fmtEnd)
{
    stream.Seek(0);
    if (!FindChunk(stream, "RIFF"))
        return WavFault::NoRiff;
    stream.Skip(4);
    if (!FindChunk(stream, "WAVE"))
        return WavFault::NoWave;
    if (!FindChunk(stream, "fmt "))
        return WavFault::NoFmt;
    uint32_t fmtSize = 0;
    if (!ReadLe32(stream, fmtSize))
        return WavFault::NoFmtSize;
    fmtEnd = stream.Position() + fmtSize + (fmtSize & 1u);

    uint8_t f[16];
    if (stream.Read(f, sizeof f) != sizeof f)
        return WavFault::ReadFailed;
    format.FormatTag = GetLe16(f);
    format.Channels = GetLe16(f + 2);
    format.SampleRate = GetLe32(f + 4);
    format.BlockAlign = GetLe16(f + 12);
    format.BitsPerSample = GetLe16(f + 14);
    return WavFault::None;
}

WavFault FindData(FileReader& stream, uint64_t fmtEnd, uint32_t& dataSize)
{
    stream.Seek(fmtEnd);
    if (!FindChunk(stream, "data"))
        return WavFault::NoData;
    uint32_t claimed = 0;
    if (!ReadLe32(stream, claimed))
        return WavFault::ReadFailed;
    const uint64_t there = stream.Size() > stream.Position() ? stream.Size() - stream.Position() : 0;
    dataSize = uint32_t(std::min<uint64_t>(claimed, there));
    return WavFault::None;
}

} // namespace

WavFault ReadWavFormat(FileReader& stream, WavFormat& format, uint64_t& fmtEnd)
{
    return Checked(stream, ReadFormat(stream, format, fmtEnd));
}

WavFault FindWavData(FileReader& stream, uint64_t fmtEnd, uint32_t& dataSize)
{
    return Checked(stream, FindData(stream, fmtEnd, dataSize));
}
