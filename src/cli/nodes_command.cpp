// nodes [--seconds N] [--universe U]: lists the Art-Net nodes that answer within N seconds.
// The worker runs as in the desktop program but sends no ArtDmx, so listing never blacks
// out a show that another controller plays.
#include "output/output_worker.h"
#include "cli/artnet_start.h"
#include "cli/commands.h"
#include "common/termination_signal.h"

#include <poll.h>

#include <cerrno>
#include <ctime>
#include <iostream>

namespace {

struct NodesOptions {
    int32_t seconds = 3;
    int32_t universe = 0;
};

std::optional<NodesOptions> ParseNodesArgs(const Args& args)
{
    NodesOptions options;
    for (size_t i = 0; i < args.size(); i += 2) {
        if (i + 1 >= args.size())
            return std::nullopt;
        const std::optional<int32_t> value = ParseInt32(args[i + 1]);
        if (args[i] == "--seconds" && value && *value >= 1 && *value <= 600)
            options.seconds = *value;
        else if (args[i] == "--universe" && value && *value >= 0 && *value <= ArtnetPortAddressMax)
            options.universe = *value;
        else
            return std::nullopt;
    }
    return options;
}

// Waits the given time or until SIGINT or SIGTERM.
void WaitOrSignal(int32_t seconds)
{
    timespec end{};
    clock_gettime(CLOCK_MONOTONIC, &end);
    end.tv_sec += seconds;
    while (!TerminationSignal()) {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        int64_t rest = (int64_t(end.tv_sec) - now.tv_sec) * 1000000000 + (end.tv_nsec - now.tv_nsec);
        if (rest <= 0)
            return;
        pollfd p{TerminationFd(), POLLIN, 0};
        const timespec timeout{time_t(rest / 1000000000), long(rest % 1000000000)};
        ppoll(&p, p.fd >= 0 ? 1 : 0, &timeout, nullptr);
    }
}

} // namespace

int NodesCommand(const Args& args)
{
    const std::optional<NodesOptions> options = ParseNodesArgs(args);
    if (!options)
        return ExitUsage;
    InstallTerminationSignals();

    OutputWorker thread;
    if (!StartArtnetWorker(thread, options->universe))
        return ExitFailed;

    WaitOrSignal(options->seconds);
    thread.Terminate();
    thread.WaitFor(); // the worker closes the network as it ends

    if (const int signal = TerminationSignal())
        return 128 + signal;
    std::vector<std::string> lines;
    thread.FillNodeList(lines);
    for (const std::string& line : lines)
        std::cout << line << '\n';
    std::cout.flush();
    return ExitOk;
}
