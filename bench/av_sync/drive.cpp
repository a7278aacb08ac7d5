// The playing side: the real runtime (engine, GStreamer player, output worker) on the
// measuring show, taken through open, play from the top with its lead-in, pause, resume,
// seek, stop and play. The current line shows a preview colour that changes every 2 ms,
// so every frame differs from the one before and a stalled frame is seen at the node.
// Each transport step is logged with its CLOCK_MONOTONIC time to DIR/events.
#include "sync_tool.h"

#include "sync_show.h"

#include "engine/transport.h"
#include "runtime/show_runtime.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <thread>

namespace {

void Sleep(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

} // namespace

int Drive(const std::string& dir)
{
    const std::string wav = dir + "/show.wav";
    if (!sync_show::WriteClickTrack(wav)) {
        std::perror(wav.c_str());
        return 1;
    }
    ShowRuntimeOptions options;
    options.RequireSocket = true;
    ShowRuntime runtime(std::move(options));
    ProjectData& doc = runtime.Document();
    doc.Lines[0] = sync_show::SawtoothSteps();
    doc.CurrentLine = 7;
    runtime.Play().PrePlayTime = sync_show::LeadInMs;
    runtime.Play().PostPlayTime = sync_show::RunOutMs;
    runtime.Play().PlayPosition = -sync_show::LeadInMs;
    for (int i = 0; i < 24; ++i)
        runtime.Play().DmxPatch[size_t(i)] = i;
    if (!runtime.Start()) {
        std::fprintf(stderr, "drive: no Art-Net socket\n");
        return 1;
    }
    EngineState& state = runtime.State();

    std::atomic<bool> done{false};
    std::thread preview([&] {
        for (uint32_t n = 1; !done; ++n) {
            state.PreviewColor = n & 0xFFFFFF;
            Sleep(2);
        }
    });

    std::ofstream events(dir + "/events");
    const auto mark = [&](const char* name) { events << name << ' ' << MonotonicNs() << '\n'; };
    Transport transport(state);

    Sleep(700);
    mark("open");
    const bool opened = runtime.OpenAudio(wav, true);
    Sleep(1000);
    mark("top-play");
    transport.TopPlayAction();
    Sleep(sync_show::LeadInMs + 6000);
    mark("pause");
    transport.PauseAction();
    Sleep(1000);
    mark("resume");
    transport.PauseAction();
    Sleep(3000);
    mark("seek");
    SeekAndWait(state, 20000);
    Sleep(3000);
    mark("stop");
    transport.StopAction();
    Sleep(700);
    mark("play");
    transport.PlayAction();
    Sleep(3000);
    mark("stop");
    transport.StopAction();
    Sleep(300);
    events.close();

    done = true;
    preview.join();
    const bool clean = runtime.Errors().Empty();
    runtime.Close();
    if (!opened || !clean) {
        std::fprintf(stderr, "drive: the sound did not open cleanly\n");
        return 1;
    }
    return 0;
}
