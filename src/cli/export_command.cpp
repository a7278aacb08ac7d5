// export SHOW.PRJ: the show as one JSON object on standard output.
#include "cli/commands.h"
#include "cli/show_json.h"

#include <iostream>

int ExportCommand(const Args& args)
{
    if (args.size() != 1)
        return ExitUsage;
    PlayGlobals play;
    ProjectData doc(play);
    if (!LoadShowForCli(doc, args[0]))
        return ExitFailed;
    std::cout << ShowToJson(doc).dump(2) << std::endl;
    return std::cout ? ExitOk : ExitFailed;
}
