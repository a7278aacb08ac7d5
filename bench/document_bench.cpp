// Speed of colour evaluation and of project files, each beside a baseline.
#include "document/line_cursor.h"
#include "document/project_data.h"
#include "support/reference_evaluation.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <fstream>
#include <random>
#include <unistd.h>

namespace {

TStepList MakeLine(int steps)
{
    std::mt19937 rng(1);
    TStepList line;
    for (int i = 0; i < steps; ++i)
        line.push_back(TStepRec{.Time = i * 20, .Duration = 20, .Color = uint32_t(rng() & 0xFFFFFF),
                                .Brightness = int32_t(rng() % 511) - 255});
    line.back().Duration = 0;
    return line;
}

std::vector<int32_t> RandomTimes(int32_t end)
{
    std::mt19937 rng(2);
    std::vector<int32_t> t(4096);
    for (int32_t& v : t)
        v = int32_t(rng() % uint32_t(end));
    return t;
}

void BM_EvaluateLine_Search(benchmark::State& state)
{
    const TStepList line = MakeLine(100000);
    const auto times = RandomTimes(100000 * 20);
    size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(EvaluateSteps(line, times[i++ & 4095]));
}
BENCHMARK(BM_EvaluateLine_Search);

void BM_EvaluateLine_WalkBaseline(benchmark::State& state)
{
    const TStepList line = MakeLine(100000);
    const auto times = RandomTimes(100000 * 20);
    size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(WalkFromFirst(line, times[i++ & 4095]));
}
BENCHMARK(BM_EvaluateLine_WalkBaseline);

// 1,920 pixel columns over the middle of a 100,000-step line, 1 s per column.
constexpr int Columns = 1920;
constexpr int32_t ColumnStart = 1000000;
constexpr int32_t MsPerColumn = 1000;

void BM_PaneColumns_CursorSweep(benchmark::State& state)
{
    const TStepList line = MakeLine(100000);
    for (auto _ : state) {
        LineCursor cursor(line);
        for (int x = 0; x < Columns; ++x)
            benchmark::DoNotOptimize(cursor.At(ColumnStart + x * MsPerColumn));
    }
}
BENCHMARK(BM_PaneColumns_CursorSweep)->Unit(benchmark::kMicrosecond);

void BM_PaneColumns_WalkBaseline(benchmark::State& state)
{
    const TStepList line = MakeLine(100000);
    for (auto _ : state)
        for (int x = 0; x < Columns; ++x)
            benchmark::DoNotOptimize(WalkFromFirst(line, ColumnStart + x * MsPerColumn));
}
BENCHMARK(BM_PaneColumns_WalkBaseline)->Unit(benchmark::kMicrosecond);

std::string BenchFolder()
{
    static std::string dir = [] {
        char tmpl[] = "/tmp/lumenrill-bench-XXXXXX";
        return std::string(mkdtemp(tmpl));
    }();
    return dir;
}

constexpr int MillionSteps = 1000000;

void MakeMillionStepShow(ProjectData& doc)
{
    for (int l = 0; l < LineCount; ++l) {
        doc.Lines[size_t(l)] = MakeLine(MillionSteps / LineCount);
        for (TStepRec& s : doc.Lines[size_t(l)])
            s.Line = l;
    }
}

void BM_SaveProject_1MSteps(benchmark::State& state)
{
    PlayGlobals play;
    ProjectData doc(play);
    MakeMillionStepShow(doc);
    doc.FileName = BenchFolder() + "/save.PRJ";
    for (auto _ : state)
        if (!doc.SaveProject(false))
            state.SkipWithError("save failed");
    state.SetBytesProcessed(int64_t(state.iterations()) * (5016 + 52 * int64_t(MillionSteps)));
}
BENCHMARK(BM_SaveProject_1MSteps)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadProject_1MSteps(benchmark::State& state)
{
    PlayGlobals play;
    {
        ProjectData doc(play);
        MakeMillionStepShow(doc);
        doc.FileName = BenchFolder() + "/load.PRJ";
        doc.SaveProject(false);
    }
    ProjectData doc(play);
    for (auto _ : state)
        if (doc.LoadProject(BenchFolder() + "/load.PRJ") != MillionSteps + 1)
            state.SkipWithError("load failed");
    state.SetBytesProcessed(int64_t(state.iterations()) * (5016 + 52 * int64_t(MillionSteps)));
}
BENCHMARK(BM_LoadProject_1MSteps)->Unit(benchmark::kMillisecond)->UseRealTime();

// The recovery copy of a 100,000-step show: what the user interface thread does (the file's
// bytes, built from the show as it stands) beside a whole save there, which a copy written
// on that thread would cost it (the write and its flush to disk go to a thread of their own).
void RecoveryShow(ProjectData& doc)
{
    doc.Lines[0] = MakeLine(100000);
    doc.FileName = BenchFolder() + "/recovery.PRJ";
}

void BM_RecoveryCopyOnTheUiThread_100kSteps(benchmark::State& state)
{
    PlayGlobals play;
    ProjectData doc(play);
    RecoveryShow(doc);
    for (auto _ : state)
        benchmark::DoNotOptimize(doc.ProjectBytes());
}
BENCHMARK(BM_RecoveryCopyOnTheUiThread_100kSteps)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SaveOnTheUiThreadBaseline_100kSteps(benchmark::State& state)
{
    PlayGlobals play;
    ProjectData doc(play);
    RecoveryShow(doc);
    for (auto _ : state)
        if (!doc.SaveProject(true))
            state.SkipWithError("save failed");
}
BENCHMARK(BM_SaveOnTheUiThreadBaseline_100kSteps)->Unit(benchmark::kMillisecond)->UseRealTime();

// Baselines: the same number of bytes written (flushed to disk, as a save does) and read.
void BM_PlainWriteBaseline_1MSteps(benchmark::State& state)
{
    const std::vector<char> bytes(5016 + 52 * size_t(MillionSteps), 'x');
    const std::string path = BenchFolder() + "/plain.bin";
    for (auto _ : state) {
        FILE* f = std::fopen(path.c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fflush(f);
        fsync(fileno(f));
        std::fclose(f);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}
BENCHMARK(BM_PlainWriteBaseline_1MSteps)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PlainReadBaseline_1MSteps(benchmark::State& state)
{
    const size_t size = 5016 + 52 * size_t(MillionSteps);
    const std::string path = BenchFolder() + "/plain-read.bin";
    {
        std::ofstream(path, std::ios::binary) << std::string(size, 'x');
    }
    std::vector<char> buf(size);
    for (auto _ : state) {
        FILE* f = std::fopen(path.c_str(), "rb");
        benchmark::DoNotOptimize(std::fread(buf.data(), 1, size, f));
        std::fclose(f);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(size));
}
BENCHMARK(BM_PlainReadBaseline_1MSteps)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
