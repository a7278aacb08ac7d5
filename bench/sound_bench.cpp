// Speed of the waveform summary of a 10-minute 44.1 kHz stereo 16-bit WAV file read from
// the page cache, beside plainly reading the same file in the same one-second blocks.
#include "sound/wav_sound.h"

#include <benchmark/benchmark.h>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr uint32_t Rate = 44100;
constexpr uint32_t Seconds = 600;
constexpr uint32_t BlockBytes = Rate * 4;
constexpr uint32_t DataBytes = BlockBytes * Seconds;

void PutLe(std::vector<uint8_t>& b, size_t at, uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        b[at + size_t(i)] = uint8_t(v >> (8 * i));
}

// The test file, written once, and removed with its folder at exit.
class BenchFile {
public:
    BenchFile()
    {
        char tmpl[] = "/tmp/lumenrill-bench-XXXXXX";
        folder_ = mkdtemp(tmpl);
        path_ = folder_ + "/ten-minutes.wav";
        std::vector<uint8_t> b(44 + size_t(DataBytes));
        const char* ids[] = {"RIFF", "WAVE", "fmt ", "data"};
        const size_t at[] = {0, 8, 12, 36};
        for (int i = 0; i < 4; ++i)
            std::copy_n(ids[i], 4, b.begin() + ptrdiff_t(at[i]));
        PutLe(b, 4, 36 + DataBytes, 4);
        PutLe(b, 16, 16, 4);
        PutLe(b, 20, 1, 2);
        PutLe(b, 22, 2, 2);
        PutLe(b, 24, Rate, 4);
        PutLe(b, 28, BlockBytes, 4);
        PutLe(b, 32, 4, 2);
        PutLe(b, 34, 16, 2);
        PutLe(b, 40, DataBytes, 4);
        std::mt19937 rng(3);
        for (size_t i = 44; i + 1 < b.size(); i += 2)
            PutLe(b, i, rng(), 2);
        FILE* f = std::fopen(path_.c_str(), "wb");
        std::fwrite(b.data(), 1, b.size(), f);
        std::fclose(f);
    }
    ~BenchFile()
    {
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
    const std::string& Path() const { return path_; }

private:
    std::string folder_, path_;
};

const std::string& TenMinuteWav()
{
    static BenchFile file;
    return file.Path();
}

void BM_BuildSummary_10min(benchmark::State& state)
{
    const std::string& path = TenMinuteWav();
    WavSound sound;
    sound.BuildSummary(path); // into the page cache
    for (auto _ : state)
        if (sound.BuildSummary(path) != int(Seconds * 100))
            state.SkipWithError("summary failed");
    state.SetBytesProcessed(int64_t(state.iterations()) * DataBytes);
}
BENCHMARK(BM_BuildSummary_10min)->Unit(benchmark::kMillisecond)->UseRealTime();

// Baseline: the same file read in the same one-second blocks, and nothing else.
void BM_PlainReadBaseline_10min(benchmark::State& state)
{
    const std::string& path = TenMinuteWav();
    std::vector<char> block(BlockBytes);
    for (auto _ : state) {
        FILE* f = std::fopen(path.c_str(), "rb");
        while (std::fread(block.data(), 1, block.size(), f) == block.size())
            benchmark::DoNotOptimize(block.data());
        std::fclose(f);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * DataBytes);
}
BENCHMARK(BM_PlainReadBaseline_10min)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
