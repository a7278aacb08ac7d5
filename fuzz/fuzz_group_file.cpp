// Any bytes as a group file merged into a small show: every line stays sorted and
// normalised.
#include "fuzz_support.h"

#include "document/project_data.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    PlayGlobals play;
    ProjectData doc(play);
    doc.AddStep(0x0000FF, 0, 100, 0, false);
    const int32_t at = size >= 4 ? int32_t(data[0] | data[1] << 8 | data[2] << 16 | uint32_t(data[3]) << 24) : 0;
    const int count = doc.LoadGroup(InputFile(data, size), at);
    if (count < 0 || doc.TotalStepCount() != count + 1 || doc.CountSelectedAll() != count)
        std::abort();
    for (const TStepList& line : doc.Lines)
        for (size_t i = 0; i < line.size(); ++i)
            if ((i + 1 < line.size() && line[i].Time > line[i + 1].Time) ||
                (i + 1 == line.size() && line[i].Duration != 0))
                std::abort();
    return 0;
}
