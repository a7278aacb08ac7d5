// Any bytes as a project file: the load never crashes, and a loaded show saves and
// loads back to the same lines.
#include "fuzz_support.h"

#include "common/messages.h"
#include "document/project_data.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    PlayGlobals play;
    ProjectData doc(play);
    const int result = doc.LoadProject(InputFile(data, size)); // the default handler converts old files
    if (result <= 0)
        return 0;
    doc.FileName = OutputFile();
    if (!doc.SaveProject(false))
        std::abort();
    PlayGlobals play2;
    ProjectData again(play2);
    if (again.LoadProject(doc.FileName) != doc.TotalStepCount() + 1 || again.Lines != doc.Lines ||
        again.Title != doc.Title || again.SoundFile != doc.SoundFile)
        std::abort();
    return 0;
}
