// The window's OSC side under a flood, as its event loop feels it. Run by osc_flood.sh on
// the player's side of a virtual cable, in place of lumenrill-cli play:
//   osc_event_loop SHOW.PRJ SECONDS
// Plays the show from the top on the real engine and Art-Net worker (the node side measures
// the frames) and listens for OSC on 9901 with the window's OscServer on a Qt event loop,
// beside a 5 ms timer that stands for everything else the window does. Each interval
// between two of its firings beyond the 5 ms is a stall. osc_flood's phases follow one
// another, SECONDS each; the first OSC command marks the end of the quiet one (the
// baseline), and each phase prints its stalls: median, 99th percentile, the longest, and
// how many passed 50 ms. Ends by itself after the last phase.
#include "common/paths.h"
#include "common/text_codec.h"
#include "remote/qt/osc_server.h"
#include "runtime/show_runtime.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

namespace {

constexpr int BeatMs = 5;
const char* const PhaseNames[] = {"no flood", "command flood", "status flood", "timed plays"};
constexpr int PhaseCount = 4;

struct Stall {
    double atMs; // since the start
    double ms;
};

void Summarise(const char* name, std::vector<double> stalls, int commands)
{
    if (stalls.empty()) {
        std::printf("%-14s no samples\n", name);
        return;
    }
    std::sort(stalls.begin(), stalls.end());
    const auto at = [&](double q) { return stalls[size_t(q * double(stalls.size() - 1))]; };
    const long over = long(std::count_if(stalls.begin(), stalls.end(), [](double s) { return s > 50; }));
    std::printf("%-14s %6zu beats  event loop stalls: median %6.3f  p99 %6.3f  max %7.3f ms  over 50 ms %ld  "
                "commands taken up %d\n",
                name, stalls.size(), at(0.5), at(0.99), stalls.back(), over, commands);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return 2;
    const int seconds = std::atoi(argv[2]);

    ShowRuntime runtime;
    ProjectData& doc = runtime.Document();
    if (doc.LoadProject(AbsoluteFromCwd(argv[1])) <= 0) {
        std::fprintf(stderr, "%s: not a readable project file\n", argv[1]);
        return 1;
    }
    std::string sound = Utf16ToUtf8(doc.SoundFile);
    ResolvePath(sound);
    runtime.Start();
    if (!runtime.OpenAudio(sound, true)) {
        std::fprintf(stderr, "%s: the sound does not open\n", sound.c_str());
        return 1;
    }
    EngineState& state = runtime.State();
    Transport(state).TopPlayAction();

    OscServer osc(state, {}, {[] { return true; }, {}}, [&doc] { return OscShowTitle(doc); }, 9901);
    if (!osc.Listen())
        return 1;

    QElapsedTimer clock;
    clock.start();
    std::vector<Stall> stalls;
    std::vector<double> commandsAt;
    std::optional<double> floodFrom;
    QObject::connect(&osc, &OscServer::commandDone, [&] {
        commandsAt.push_back(double(clock.nsecsElapsed()) / 1e6);
        if (!floodFrom)
            floodFrom = commandsAt.back();
    });
    double last = 0;
    QTimer beat;
    beat.setTimerType(Qt::PreciseTimer);
    QObject::connect(&beat, &QTimer::timeout, [&] {
        const double now = double(clock.nsecsElapsed()) / 1e6;
        stalls.push_back({now, std::max(0.0, now - last - BeatMs)});
        last = now;
        if (floodFrom && now > *floodFrom + 1000.0 * (PhaseCount - 1) * seconds)
            app.quit();
    });
    beat.start(BeatMs);
    last = double(clock.nsecsElapsed()) / 1e6;
    // Without any command the run ends all the same.
    QTimer::singleShot(1000 * (PhaseCount * seconds + 30), &app, &QCoreApplication::quit);
    app.exec();
    osc.Close();
    runtime.Close();

    std::printf("The window's OSC side beside a flood: %d s a phase, a %d ms timer's stalls\n", seconds, BeatMs);
    if (!floodFrom) {
        std::printf("no OSC command came\n");
        return 1;
    }
    for (int p = 0; p < PhaseCount; ++p) {
        // The quiet phase is the one just before the first command; the first second of
        // the run (the sound opening) is no part of it.
        const double from = *floodFrom + 1000.0 * (p - 1) * seconds;
        const double to = from + 1000.0 * seconds;
        std::vector<double> in;
        for (const Stall& s : stalls)
            if (s.atMs >= std::max(from, 1000.0) && s.atMs < to)
                in.push_back(s.ms);
        const int commands = int(std::count_if(commandsAt.begin(), commandsAt.end(),
                                               [&](double t) { return t >= from && t < to; }));
        Summarise(PhaseNames[p], std::move(in), commands);
    }
    return 0;
}
