// lumenrill-cli: inspect, convert and evaluate shows without a window.
#include "cli/commands.h"
#include "cli/core_english.h"
#include "common/translation.h"
#include "common/version.h"

#include <cstring>
#include <iostream>

namespace {

struct Command {
    const char* name;
    const char* usage;
    const char* does; // one line for --help
    int (*run)(const Args&);
};

const Command commands[] = {
    {"export", "export SHOW.PRJ", "prints the show as one JSON object (old-format files are converted)",
     ExportCommand},
    {"import", "import SHOW.json OUT.PRJ", "writes a project file from such JSON, refusing bad input", ImportCommand},
    {"eval", "eval SHOW.PRJ TIME...", "prints the eight output colours and the DMX frame at each time in ms",
     EvalCommand},
    {"nodes", "nodes [--seconds N] [--universe U]", "lists the Art-Net nodes that answer a poll within N seconds",
     NodesCommand},
    {"play",
     "play SHOW.PRJ [--osc-port N] [--osc-allow LIST] [--osc-feedback LIST] [--universe U] [--light-latency MS] "
     "[--repeat] [--start] [--exit-at-end] [--artnet broadcast|limited|unicast|off|ADDR,...] "
     "[--artnet-interface NAME] [--sacn multicast|ADDR,...|off] [--sacn-universe N] [--sacn-priority N]",
     "plays the show with its sound and its output (Art-Net broadcast unless told otherwise: 2.255.255.255 where"
     " the machine has or may add a 2.x.x.x address, else the LAN's own broadcast address; Port-Address U"
     " 0-32767; sACN universe 1-63999, priority 0-200), driven by OSC (commands only from the addresses and ranges of --osc-allow, feedback also"
     " to the address:port items of --osc-feedback)",
     PlayCommand},
    {"summary", "summary SOUND [OUT.wfm]",
     "builds the waveform summary of a WAV or MP3 file, prints its frame count, writes OUT.wfm", SummaryCommand},
    {"soundinfo", "soundinfo SOUND", "prints the sound information line of a WAV or MP3 file", SoundInfoCommand},
};

int Usage()
{
    std::cerr << "usage:";
    for (const Command& c : commands)
        std::cerr << "\n  lumenrill-cli " << c.usage;
    std::cerr << "\n  lumenrill-cli --help | --version" << std::endl;
    return ExitUsage;
}

int Help()
{
    std::cout << "usage: lumenrill-cli COMMAND ARGUMENTS, lumenrill-cli --help, lumenrill-cli --version\n";
    for (const Command& c : commands)
        std::cout << "  " << c.usage << ": " << c.does << '\n';
    std::cout.flush();
    return std::cout ? ExitOk : ExitFailed;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return Usage();
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::cout << "lumenrill-cli " << ProgramVersion << std::endl;
        return std::cout ? ExitOk : ExitFailed;
    }
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0)
        return Help();
    InstallTextTranslator(EnglishCoreText);
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
