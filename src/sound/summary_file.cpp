// The waveform file (*.wfm): SummaryFrame records, 16 bytes each, no header.
#include "common/atomic_file.h"
#include "common/byte_io.h"
#include "sound/file_reader.h"
#include "sound/wav_sound.h"

#include <new>
#include <vector>

namespace {

void ReadRecords(FileReader& file, TWavFrmList& frames)
{
    std::vector<uint8_t> block(4096 * SummaryFrameBytes);
    for (;;) {
        const size_t got = file.Read(block.data(), block.size());
        // A trailing part of fewer than 16 bytes is not a record.
        for (size_t at = 0; at + SummaryFrameBytes <= got; at += SummaryFrameBytes) {
            const uint8_t* p = block.data() + at;
            frames.push_back({GetLeI32(p), GetLeI32(p + 4), GetLeI32(p + 8), GetLeI32(p + 12)});
        }
        if (got < block.size())
            return;
    }
}

} // namespace

int WavSound::LoadSummary(const std::string& path)
{
    frames_.clear();
    FileReader file(path);
    if (!file.IsOpen())
        return 0;
    try {
        ReadRecords(file, frames_);
    } catch (const std::bad_alloc&) {
        // Not the waveform file of any sound there is room for.
        frames_.clear();
    }
    return int(frames_.size());
}

WriteResult WavSound::SaveSummary(const std::string& path) const
{
    if (frames_.empty())
        return WriteResult::Failure("the summary is empty");
    std::vector<uint8_t> bytes(frames_.size() * SummaryFrameBytes);
    uint8_t* p = bytes.data();
    for (const SummaryFrame& f : frames_) {
        PutLeI32(p, f.LeftMax);
        PutLeI32(p + 4, f.LeftMin);
        PutLeI32(p + 8, f.RightMax);
        PutLeI32(p + 12, f.RightMin);
        p += SummaryFrameBytes;
    }
    return WriteFileAtomically(path, bytes);
}
