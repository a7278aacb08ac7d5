// Speed of the playback tick: eight lines of 100,000 steps, no player, the play clock
// jumping to random times, beside a baseline that evaluates each line by walking it from
// its first step. The "allocations" counter is what the tick allocates per call.
#include "engine/playback.h"
#include "support/reference_evaluation.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <random>

namespace {

std::atomic<long> allocations{0};

} // namespace

void* operator new(std::size_t n)
{
    ++allocations;
    if (void* p = std::malloc(n ? n : 1))
        return p;
    throw std::bad_alloc();
}

// This file replaces new and delete together, so malloc and free do match here.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop

namespace {

constexpr int Steps = 100000;
constexpr int32_t StepMs = 20;
constexpr int32_t ShowEnd = Steps * StepMs;

class BenchClock final : public MsClock {
public:
    uint32_t NowMs() const override { return now; }
    uint32_t now = 0;
};

class NoAudio final : public AudioBackend {
public:
    std::unique_ptr<Player> CreatePlayer(const std::string&) override { return nullptr; }
    void StartOutputTest() override {}
    std::optional<bool> OutputTested() override { return false; }
};

void FillShow(ProjectData& doc)
{
    std::mt19937 rng(1);
    for (int l = 0; l < LineCount; ++l) {
        TStepList& line = doc.Lines[size_t(l)];
        line.reserve(Steps);
        for (int i = 0; i < Steps; ++i)
            line.push_back(TStepRec{.Line = l, .Time = i * StepMs, .Duration = StepMs,
                                    .Color = uint32_t(rng() & 0xFFFFFF), .Brightness = int32_t(rng() % 511) - 255});
    }
}

std::vector<uint32_t> RandomTimes()
{
    std::mt19937 rng(2);
    std::vector<uint32_t> t(4096);
    for (uint32_t& v : t)
        v = rng() % uint32_t(ShowEnd);
    return t;
}

struct Engine {
    Engine()
    {
        play.PrePlayTime = 0;
        play.PostPlayTime = ShowEnd + 1000; // all of the show lies in the "run-out" of no sound
        const auto through = ThroughPatch();
        for (int i = 0; i < DmxSlots; ++i)
            play.DmxPatch[size_t(i)] = through[size_t(i)];
        FillShow(doc);
        state.StartClock(0);
    }
    PlayGlobals play;
    BenchClock clock;
    EngineState state{play, clock};
    ProjectData doc{play};
    NoAudio audio;
    PostedErrors errors;
    Playback playback{state, doc, audio, errors};
};

void BM_PlaybackTick(benchmark::State& st)
{
    Engine e;
    const auto times = RandomTimes();
    uint8_t frame[DmxSlots];
    size_t i = 0;
    const long before = allocations;
    for (auto _ : st) {
        // The clock was started at 0 when the counter read 0.
        e.clock.now = times[i++ & 4095];
        e.playback.PlaybackTick(frame);
        benchmark::DoNotOptimize(frame);
    }
    st.counters["allocations"] = benchmark::Counter(double(allocations - before), benchmark::Counter::kAvgIterations);
    if (!e.state.ClockRunning)
        st.SkipWithError("the clock stopped");
}
BENCHMARK(BM_PlaybackTick);

// The same colours and frame, each line walked from its first step.
void BM_PlaybackTick_WalkBaseline(benchmark::State& st)
{
    Engine e;
    const auto times = RandomTimes();
    uint8_t frame[DmxSlots];
    size_t i = 0;
    for (auto _ : st) {
        const int32_t t = int32_t(times[i++ & 4095]);
        LineColors out;
        auto lock = e.doc.ReadLock();
        for (int l = 0; l < LineCount; ++l) {
            const ColorPair c = WalkFromFirst(e.doc.Lines[size_t(l)], t);
            out[size_t(l)] = ApplyBrightness(c.Color, c.Brightness);
        }
        BuildDmxFrame(out, e.play.DmxPatch, CheckGroupOff, frame);
        benchmark::DoNotOptimize(frame);
    }
}
BENCHMARK(BM_PlaybackTick_WalkBaseline);

} // namespace
