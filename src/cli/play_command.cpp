// play SHOW.PRJ [--osc-port N] [--osc-allow LIST] [--osc-feedback LIST] [--universe U]
// [--light-latency MS] [--repeat] [--start] [--exit-at-end]
// [--artnet broadcast|limited|unicast|off|ADDR,...] [--artnet-interface NAME]
// [--sacn multicast|ADDR,...|off] [--sacn-universe N] [--sacn-priority N]: the show without a
// window. The engine, the audio player and the output worker run as in the desktop program;
// OSC commands drive it (from the senders --osc-allow lets in, everyone without it), each
// status text goes to standard output, and the show's state goes back to the senders and to
// the --osc-feedback targets. Nothing is written: no waveform summary is built and the show is
// never saved.
#include "cli/commands.h"
#include "cli/live_status.h"
#include "cli/output_options.h"
#include "common/paths.h"
#include "common/termination_signal.h"
#include "common/text_codec.h"
#include "common/translation.h"
#include "engine/transport.h"
#include "remote/osc_remote.h"
#include "remote/refusal_notice.h"
#include "runtime/show_runtime.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>

namespace {

struct PlayOptions {
    std::string show;
    int32_t oscPort = 9901;
    int32_t universe = 0;
    int32_t lightLatency = 0;
    bool repeat = false;
    bool start = false;
    bool exitAtEnd = false;
    std::vector<AddressRange> oscAllow;
    std::vector<OscEndpoint> oscFeedback;
    OutputConfig output;
};

// A list option's value, or nothing (with the bad item said) when an item is none.
template <class T>
std::optional<std::vector<T>> ListOption(const std::string& option, const ParsedList<T>& list, const char* form)
{
    if (!list.bad)
        return list.items;
    std::cerr << "lumenrill-cli: " << option << ": \"" << *list.bad << "\" is not " << form << std::endl;
    return std::nullopt;
}

std::optional<PlayOptions> ParsePlayArgs(const Args& args)
{
    PlayOptions o;
    bool haveShow = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--repeat") {
            o.repeat = true;
        } else if (a == "--start") {
            o.start = true;
        } else if (a == "--exit-at-end") {
            o.exitAtEnd = true;
        } else if (a == "--osc-allow" || a == "--osc-feedback") {
            if (i + 1 >= args.size())
                return std::nullopt;
            const std::string& value = args[++i];
            if (a == "--osc-allow") {
                auto ranges = ListOption(a, ParseRangeList(value), "an IPv4 address or range (a.b.c.d or a.b.c.d/n)");
                if (!ranges)
                    return std::nullopt;
                o.oscAllow = std::move(*ranges);
            } else {
                auto targets = ListOption(a, ParseEndpointList(value), "an IPv4 address and port (a.b.c.d:port)");
                if (!targets)
                    return std::nullopt;
                o.oscFeedback = std::move(*targets);
            }
        } else if (a == "--osc-port" || a == "--universe" || a == "--light-latency") {
            const std::optional<int32_t> v = i + 1 < args.size() ? ParseInt32(args[++i]) : std::nullopt;
            if (!v)
                return std::nullopt;
            const int32_t n = v.value();
            if (a == "--osc-port" && n >= 1 && n <= 65535)
                o.oscPort = n;
            else if (a == "--universe" && n >= 0 && n <= ArtnetPortAddressMax)
                o.universe = n;
            else if (a == "--light-latency" && n >= LightLatencyMin && n <= LightLatencyMax)
                o.lightLatency = n;
            else
                return std::nullopt;
        } else if (IsOutputOption(a)) {
            if (i + 1 >= args.size() || !ParseOutputOption(a, args[++i], o.output))
                return std::nullopt;
        } else if (!haveShow && !a.starts_with("--")) {
            o.show = a;
            haveShow = true;
        } else {
            return std::nullopt;
        }
    }
    if (!haveShow)
        return std::nullopt;
    return o;
}

// A UDP socket on every local address; -1 (with the reason printed) when it cannot be bound.
int OpenOscSocket(int32_t port)
{
    int fd = socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        std::cerr << "lumenrill-cli: OSC: " << std::strerror(errno) << std::endl;
        return -1;
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(uint16_t(port));
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    // A feedback target may be a broadcast address, as the desktop program allows.
    const int on = 1;
    setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on);
    if (bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        std::cerr << "lumenrill-cli: OSC port " << port << ": " << std::strerror(errno) << std::endl;
        close(fd);
        return -1;
    }
    return fd;
}

void SendDatagram(int fd, const OscEndpoint& to, std::span<const uint8_t> datagram)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(to.port);
    address.sin_addr.s_addr = htonl(to.address);
    // A peer that is gone or a full buffer loses this message; the next one says it again.
    sendto(fd, datagram.data(), datagram.size(), MSG_DONTWAIT, reinterpret_cast<const sockaddr*>(&address),
           sizeof address);
}

// The sound as the program finds it when it opens a project: a stored relative path is
// relative to the executable's folder.
std::string SoundOf(const ProjectData& doc)
{
    std::string path = Utf16ToUtf8(doc.SoundFile);
    ResolvePath(path);
    return path;
}

// "Art-Net: DESTINATION" when where Art-Net goes has changed since the last time it was said:
// the network came, went or moved, or unicast found its nodes.
class ArtnetDestinationNotice {
public:
    explicit ArtnetDestinationNotice(const OutputWorker& worker) : worker_(worker) {}
    std::optional<std::string> Take()
    {
        const std::string now = worker_.DestinationOr("no network");
        if (said_ && now == last_)
            return std::nullopt;
        said_ = true;
        last_ = now;
        return "Art-Net: " + now;
    }

private:
    const OutputWorker& worker_;
    std::string last_;
    bool said_ = false;
};

} // namespace

int PlayCommand(const Args& args)
{
    const std::optional<PlayOptions> options = ParsePlayArgs(args);
    if (!options)
        return ExitUsage;
    InstallTerminationSignals();

    ShowRuntimeOptions runtimeOptions;
    runtimeOptions.OutputUniverse = options->universe;
    runtimeOptions.LightLatency = options->lightLatency;
    runtimeOptions.Output = options->output;
    runtimeOptions.Output.Sacn.Cid = StoredSacnCid();
    // Without Art-Net output the port is only for finding nodes.
    runtimeOptions.RequireSocket = options->output.Artnet.Mode != ArtnetMode::Off;
    runtimeOptions.ReportInitError = [](const std::string& text) {
        std::cerr << "lumenrill-cli: Art-Net could not start: " << Translated("Core", text.c_str()) << std::endl;
    };
    runtimeOptions.ReportOutputProblem = [](const OutputCheck& problem) {
        std::cerr << "lumenrill-cli: " << CliOutputProblemText(problem) << std::endl;
    };
    ShowRuntime runtime(std::move(runtimeOptions));
    ProjectData& doc = runtime.Document();
    if (!LoadShowForCli(doc, options->show))
        return ExitFailed;
    const std::string sound = SoundOf(doc);
    if (sound.empty())
        return Fail(ExitFailed, options->show + ": the show has no sound file");
    std::error_code ec;
    if (!std::filesystem::is_regular_file(sound, ec))
        return Fail(ExitFailed, options->show + ": its sound file is not there: " + sound);

    EngineState& state = runtime.State();
    PostedErrors& errors = runtime.Errors();
    runtime.Play().Repeat = options->repeat;
    if (!runtime.Start()) {
        // Without the Art-Net socket no frame would reach a light.
        const OutputWorker* worker = runtime.Worker();
        return Fail(ExitFailed,
                    "Art-Net UDP port " + std::to_string(ArtnetPort) + ": " + (worker ? worker->SocketError() : ""));
    }

    runtime.OpenAudio(sound, true);
    if (!errors.Empty() || state.OpenAudioRequest) {
        errors.ShowAll();
        runtime.Close();
        return ExitFailed;
    }

    Transport transport(state);
    const int osc = OpenOscSocket(options->oscPort);
    LiveStatusLine live(std::cout, isatty(STDOUT_FILENO) == 1);
    // Feedback leaves from the OSC port, where the peers' replies are expected to come from.
    OscRemote remote(
        state, {}, {[] { return true; }, {}}, [&doc] { return OscShowTitle(doc); },
        [osc](const OscEndpoint& to, std::span<const uint8_t> datagram) {
            if (osc >= 0)
                SendDatagram(osc, to, datagram);
        },
        [&live](const std::string& status, bool) { live.Print(status); });
    remote.SetAllowFrom(options->oscAllow);
    remote.SetFeedbackTargets(options->oscFeedback);
    const uint32_t endsBefore = state.ShowEnds;
    if (options->start)
        transport.TopPlayAction();

    RefusalNotice refusals(1000);
    const std::string showName = std::filesystem::path(options->show).filename().string();
    std::vector<uint8_t> datagram(65536);
    ArtnetDestinationNotice destination(*runtime.Worker());
    while (!TerminationSignal()) {
        if (options->exitAtEnd && state.ShowEnds != endsBefore)
            break;
        pollfd fds[2] = {{TerminationFd(), POLLIN, 0}, {osc, POLLIN, 0}};
        // A command waiting for the tick is looked at again well within a frame.
        poll(fds, osc >= 0 ? 2 : 1, remote.Busy() ? 2 : 20);
        if (!errors.Empty()) {
            live.End();
            errors.ShowAll();
        }
        if (std::optional<std::string> news = destination.Take())
            live.Print(*news);
        live.Show(PlayStatusText(state.Play.PlayPosition, state.AudioState, state.ClockRunning, showName));
        if (osc >= 0 && (fds[1].revents & POLLIN)) {
            sockaddr_in from{};
            socklen_t fromSize = sizeof from;
            const ssize_t n =
                recvfrom(osc, datagram.data(), datagram.size(), 0, reinterpret_cast<sockaddr*>(&from), &fromSize);
            const OscEndpoint sender{ntohl(from.sin_addr.s_addr), ntohs(from.sin_port)};
            if (n >= 0)
                remote.Receive(std::span(datagram.data(), size_t(n)), sender);
        }
        remote.Update();
        if (std::optional<RefusalNotice::News> refused = refusals.Take(remote, SystemClock().NowMs()))
            live.Print("OSC: refused " + EndpointText(refused->sender) + " (" + std::to_string(refused->count) +
                       " refused)");
    }
    live.End();
    if (osc >= 0)
        close(osc);
    runtime.Close(); // the worker closes the network, removing an added address
    return ExitOk;
}
