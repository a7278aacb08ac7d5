// import SHOW.json OUT.PRJ: a project file in the current format from JSON.
#include "cli/commands.h"
#include "cli/show_json.h"
#include "common/paths.h"
#include "document/file_bytes.h"

int ImportCommand(const Args& args)
{
    if (args.size() != 2)
        return ExitUsage;
    const FileBytes input = ReadWholeFile(AbsoluteFromCwd(args[0]));
    if (input.status != ReadStatus::Ok)
        return Fail(ExitFailed, args[0] + ": " + input.error);

    OrderedJson json;
    try {
        json = OrderedJson::parse(input.data.begin(), input.data.end());
    } catch (const OrderedJson::parse_error& e) {
        return Fail(ExitFailed, args[0] + ": invalid JSON: " + e.what());
    }

    PlayGlobals play;
    ProjectData doc(play);
    if (auto error = ShowFromJson(json, doc))
        return Fail(ExitFailed, args[0] + ": " + *error);

    doc.FileName = AbsoluteFromCwd(args[1]);
    if (WriteResult saved = doc.SaveProject(false); !saved)
        return Fail(ExitFailed, args[1] + ": " + saved.error);
    return ExitOk;
}
