// eval SHOW.PRJ TIME...: the output colours and the DMX frame at each time.
#include "cli/commands.h"
#include "cli/show_json.h"
#include "engine/dmx_frame.h"

#include <iostream>

int EvalCommand(const Args& args)
{
    if (args.size() < 2)
        return ExitUsage;
    std::vector<int32_t> times;
    for (size_t i = 1; i < args.size(); ++i) {
        std::optional<int32_t> t = ParseInt32(args[i]);
        if (!t)
            return Fail(ExitUsage, "not a time in ms: " + args[i]);
        times.push_back(*t);
    }
    PlayGlobals play;
    ProjectData doc(play);
    if (!LoadShowForCli(doc, args[0]))
        return ExitFailed;

    for (int32_t t : times) {
        const LineColors colors = EvaluateOutput(doc, t);
        uint8_t frame[DmxSlots];
        BuildDmxFrame(colors, play.DmxPatch, CheckGroupOff, frame);
        OrderedJson out;
        out["time"] = t;
        out["lines"] = OrderedJson::array();
        for (uint32_t c : colors)
            out["lines"].push_back(ColorToJson(c));
        out["dmx"] = OrderedJson::array();
        for (uint8_t v : frame)
            out["dmx"].push_back(v);
        std::cout << out.dump() << '\n';
    }
    std::cout.flush();
    return std::cout ? ExitOk : ExitFailed;
}
