// lumenrill-cli: inspect, convert and evaluate shows without a window.
#include "cli/commands.h"

#include <cstring>
#include <iostream>

namespace {

struct Command {
    const char* name;
    const char* usage;
    int (*run)(const Args&);
};

const Command commands[] = {
    {"export", "export SHOW.PRJ", ExportCommand},
    {"import", "import SHOW.json OUT.PRJ", ImportCommand},
    {"eval", "eval SHOW.PRJ TIME...", EvalCommand},
    {"nodes", "nodes [--seconds N] [--universe U]", NodesCommand},
    {"play", "play SHOW.PRJ [--osc-port N] [--universe U] [--repeat] [--start] [--exit-at-end]", PlayCommand},
    {"summary", "summary SOUND [OUT.wfm]", SummaryCommand},
    {"soundinfo", "soundinfo SOUND", SoundInfoCommand},
};

int Usage()
{
    std::cerr << "usage:";
    for (const Command& c : commands)
        std::cerr << "\n  lumenrill-cli " << c.usage;
    std::cerr << std::endl;
    return ExitUsage;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return Usage();
    CliMessages messages;
    InstallMessageHandler(&messages);
    for (const Command& c : commands) {
        if (std::strcmp(argv[1], c.name) != 0)
            continue;
        int status = c.run(Args(argv + 2, argv + argc));
        if (status == ExitUsage)
            std::cerr << "usage: lumenrill-cli " << c.usage << std::endl;
        return status;
    }
    return Usage();
}
