// Group files: the selected steps of all lines, times relative to the earliest of them.
#include "common/byte_io.h"
#include "document/file_bytes.h"
#include "document/project_data.h"

#include <algorithm>
#include <limits>

WriteResult ProjectData::SaveGroup(const std::string& path) const
{
    int64_t earliest = std::numeric_limits<int32_t>::max();
    size_t count = 0;
    for (const TStepList& line : Lines)
        for (const TStepRec& s : line)
            if (s.Selected) {
                earliest = std::min<int64_t>(earliest, s.Time);
                ++count;
            }

    std::vector<uint8_t> bytes(count * StepRecSize);
    uint8_t* p = bytes.data();
    for (const TStepList& line : Lines)
        for (TStepRec s : line) {
            if (!s.Selected)
                continue;
            s.Time = int32_t(int64_t(s.Time) - earliest);
            s.Selected = 0;
            EncodeStep(s, p);
            p += StepRecSize;
        }
    return WriteFileAtomically(path, bytes);
}

int ProjectData::LoadGroup(const std::string& path, int32_t t)
{
    ChangeScope scope(*this);
    // The show counts as changed even when there was nothing to read.
    Modified = true;
    const FileBytes file = ReadWholeFile(path);
    if (file.status != ReadStatus::Ok)
        return 0;

    PushUndo();
    SetSelection(0, true);
    auto lock = WriteLock();
    int count = 0;
    const size_t records = file.data.size() / StepRecSize;
    for (size_t r = 0; r < records; ++r) {
        TStepRec s = DecodeStep(file.data.data() + r * StepRecSize);
        if (!IsValidLine(s.Line))
            continue;
        s.Time = int32_t(std::clamp<int64_t>(int64_t(s.Time) + t, std::numeric_limits<int32_t>::min(),
                                             std::numeric_limits<int32_t>::max()));
        s.Selected = 1;
        Lines[size_t(s.Line)].push_back(s);
        pending_.Lines |= LineBit(s.Line);
        pending_.Selection = true;
        ++count;
    }
    if (count > 0)
        pending_.Lines |= NormalizeAll();
    return count;
}
