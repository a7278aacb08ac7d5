// Any bytes as a waveform file: every whole record is read, field by field, and a saved
// summary is the same bytes without the trailing part.
#include "fuzz_support.h"

#include "common/byte_io.h"
#include "sound/wav_sound.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

std::vector<uint8_t> ReadAll(const std::string& path)
{
    std::vector<uint8_t> bytes;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return bytes;
    uint8_t buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        bytes.insert(bytes.end(), buf, buf + n);
    std::fclose(f);
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    WavSound sound;
    const size_t records = size / SummaryFrameBytes;
    if (sound.LoadSummary(InputFile(data, size, ".wfm")) != int(records) || sound.FrameCount() != records)
        std::abort();
    for (size_t i = 0; i < records; ++i) {
        const uint8_t* p = data + i * SummaryFrameBytes;
        const SummaryFrame want{GetLeI32(p), GetLeI32(p + 4), GetLeI32(p + 8), GetLeI32(p + 12)};
        if (!(sound.Frame(i) == want))
            std::abort();
    }
    std::remove(OutputFile().c_str());
    const bool saved = bool(sound.SaveSummary(OutputFile()));
    if (saved != (records > 0))
        std::abort();
    if (saved && ReadAll(OutputFile()) != std::vector<uint8_t>(data, data + records * SummaryFrameBytes))
        std::abort();
    return 0;
}
