// Waveform summaries of WAV files, and the failures of the reader.
#include "sound_test_fixture.h"

#include "common/paths.h"
#include "sound/file_reader.h"
#include "sound/wav_header.h"

#include <algorithm>
#include <random>
#include <tuple>

namespace {

using Errors = std::vector<std::string>;

// Summary frame k holds +k at its last sample frame and -k at its first on the left, and
// -2k on the right at its 8th: every peak tells which frame it landed in.
int16_t Marker(size_t s, int channel, uint32_t rate)
{
    const size_t per = rate / 100;
    const size_t inSecond = s % rate;
    const auto k = int16_t(s / rate * 100 + inSecond / per);
    if (inSecond >= per * 100)
        return 30000; // left over at the end of a second: never summarised
    const size_t at = inSecond % per;
    if (channel == 0)
        return at == per - 1 ? k : at == 0 ? int16_t(-k) : int16_t(0);
    return at == 7 ? int16_t(-2 * k) : int16_t(0);
}

WavLayout MarkedWav(uint32_t rate, int channels, double seconds)
{
    WavLayout w;
    w.channels = uint16_t(channels);
    w.sampleRate = rate;
    w.data = Pcm16(size_t(seconds * rate), channels, [&](size_t s, int c) { return Marker(s, c, rate); });
    return w;
}

} // namespace

TEST_F(SoundTest, EachSecondGivesOneHundredFramesOfItsOwnSamples)
{
    struct Case {
        uint32_t rate;
        int channels;
        double seconds;
        size_t frames;
    } cases[] = {
        {44100, 2, 3.5, 350}, // 441 sample frames a frame
        {22050, 2, 1.5, 150}, // 220 a frame; the last 50 of each second are left out
        {22050, 1, 1.0, 100},
        {100, 1, 2.5, 250},   // the lowest rate: one sample frame a frame
    };
    for (const Case& c : cases) {
        const std::string label = std::to_string(c.rate) + " Hz x" + std::to_string(c.channels);
        const std::string path = Write("marked.wav", WavBytes(MarkedWav(c.rate, c.channels, c.seconds)));
        ASSERT_EQ(sound.BuildSummary(path), int(c.frames)) << label;
        ASSERT_EQ(sound.FrameCount(), c.frames) << label;
        EXPECT_EQ(sound.Channels(), c.channels);
        EXPECT_EQ(sound.SampleRate(), int32_t(c.rate));
        EXPECT_EQ(sound.BytesPerSample(), 2);
        for (size_t k = 0; k < c.frames; ++k) {
            const auto v = int32_t(k);
            SummaryFrame want{v, -v, 0, c.channels == 2 ? -2 * v : 0};
            if (c.rate == 100)
                want = {v, 0, 0, 0}; // one sample frame a frame: the marker's last one
            ASSERT_EQ(sound.Frame(k), want) << label << " frame " << k;
        }
    }
    EXPECT_TRUE(TakeErrors().empty());
}

namespace {

// The summary as the rule states it, one sample at a time, against which the fast one
// is checked on random sound.
TWavFrmList SummaryByTheRule(const std::vector<int16_t>& s, uint32_t rate, int channels)
{
    TWavFrmList out;
    const size_t perFrame = rate / 100;
    const size_t total = s.size() / size_t(channels);
    for (size_t second = 0; second * rate < total; ++second) {
        SummaryFrame f;
        size_t count = 0;
        for (size_t k = second * rate; k < std::min<size_t>(total, (second + 1) * rate); ++k) {
            for (int c = 0; c < channels; ++c) {
                const int32_t x = s[k * size_t(channels) + size_t(c)];
                int32_t& max = c == 0 ? f.LeftMax : f.RightMax;
                int32_t& min = c == 0 ? f.LeftMin : f.RightMin;
                if (x > 0)
                    max = std::max(max, x);
                else
                    min = std::min(min, x);
            }
            if (++count == perFrame) {
                out.push_back(f);
                f = {};
                count = 0;
            }
        }
    }
    return out;
}

} // namespace

TEST_F(SoundTest, RandomSoundGivesThePeaksOfTheRule)
{
    std::mt19937 rng(7);
    const std::tuple<uint32_t, int, size_t> cases[] = {
        {44100, 2, 100000}, {48000, 2, 50000}, {44100, 1, 70000}, {8000, 1, 20000}, {11025, 2, 30000}, {100, 2, 333},
    };
    for (const auto& [rate, channels, frames] : cases) {
        std::vector<int16_t> samples(frames * size_t(channels));
        for (int16_t& v : samples)
            v = int16_t(rng() % 4 == 0 ? int(rng() % 65536) - 32768 : int(rng() % 2001) - 1000);
        WavLayout w;
        w.sampleRate = rate;
        w.channels = uint16_t(channels);
        w.data = Pcm16(frames, channels, [&](size_t f, int c) { return samples[f * size_t(channels) + size_t(c)]; });
        const TWavFrmList want = SummaryByTheRule(samples, rate, channels);
        ASSERT_EQ(sound.BuildSummary(Write("random.wav", WavBytes(w))), int(want.size())) << rate;
        for (size_t k = 0; k < want.size(); ++k)
            ASSERT_EQ(sound.Frame(k), want[k]) << rate << " Hz x" << channels << ", frame " << k;
    }
}

TEST_F(SoundTest, PeaksStartAtZeroAndCoverTheFullRange)
{
    WavLayout w;
    w.channels = 1;
    w.data = Pcm16(441 * 3, 1, [](size_t s, int) {
        if (s < 441) // only positive
            return int16_t(100 + s);
        if (s < 882) // only negative
            return int16_t(-100 - int(s % 441));
        return s == 900 ? int16_t(32767) : s == 901 ? int16_t(-32768) : int16_t(0);
    });
    ASSERT_EQ(sound.BuildSummary(Write("a.wav", WavBytes(w))), 3);
    EXPECT_EQ(sound.Frame(0), (SummaryFrame{540, 0, 0, 0}));
    EXPECT_EQ(sound.Frame(1), (SummaryFrame{0, -540, 0, 0}));
    EXPECT_EQ(sound.Frame(2), (SummaryFrame{32767, -32768, 0, 0}));
}

TEST_F(SoundTest, ProgressCountsSecondsAndIsClearedAtTheEnd)
{
    std::vector<std::string> texts;
    sound.SetProgress([&](const std::string& t) { texts.push_back(t); });

    ASSERT_EQ(sound.BuildSummary(Write("fifty.wav", WavBytes(MarkedWav(100, 1, 50)))), 5000);
    ASSERT_EQ(texts.size(), 52u); // seconds 0 to 50, then the clearing
    EXPECT_EQ(texts[0], "読み込み中... 0%");
    EXPECT_EQ(texts[21], "読み込み中... 42%");
    EXPECT_EQ(texts[50], "読み込み中... 100%");
    EXPECT_EQ(texts[51], "");

    // Less than a second: no percentage at all.
    texts.clear();
    ASSERT_EQ(sound.BuildSummary(Write("short.wav", WavBytes(MarkedWav(44100, 2, 0.5)))), 50);
    EXPECT_EQ(texts, std::vector<std::string>{""});
}

TEST_F(SoundTest, HeaderVariantsAreRead)
{
    const Bytes list = Chunk("LIST", Bytes{'I', 'N', 'F', 'O', 'I', 'N', 'A', 'M', 3, 0, 0, 0, 'a', 'b', 0});
    struct Case {
        const char* name;
        Bytes fmtExtra;
        Bytes beforeData;
    } cases[] = {
        {"18-byte fmt chunk", Bytes(2, 0), {}},
        {"40-byte fmt chunk", Bytes(24, 0x55), {}},
        {"odd-sized fmt chunk", Bytes(1, 0), {}},
        {"LIST chunk", {}, Chunk("LIST", Bytes(10, 'x'))},
        {"odd-sized LIST chunk, padded", {}, list},
        {"odd-sized LIST chunk, pad left out", {}, Bytes(list.begin(), list.end() - 1)},
        {"two chunks", {}, Join(Chunk("fact", Bytes(4, 1)), Chunk("JUNK", Bytes(3, 0)))},
    };
    for (Case& c : cases) {
        WavLayout w = MarkedWav(44100, 2, 1.0);
        w.fmtExtra = c.fmtExtra;
        w.beforeData = c.beforeData;
        if (w.fmtExtra.size() == 24)
            w.beforeData = list; // a LIST chunk after a long fmt chunk too
        const std::string path = Write("v.wav", WavBytes(w));
        EXPECT_EQ(sound.BuildSummary(path), 100) << c.name;
        EXPECT_EQ(sound.Frame(99), (SummaryFrame{99, -99, 0, -198})) << c.name;
        SoundInfo info;
        EXPECT_TRUE(WavSound::GetSoundInfo(path, &info)) << c.name;
        EXPECT_EQ(info.Length, 1000) << c.name;
    }
    EXPECT_EQ(TakeErrors(), Errors{});
}

TEST_F(SoundTest, GetSoundInfoReadsTheHeader)
{
    struct Case {
        uint16_t channels, bits;
        uint32_t rate;
        size_t sampleFrames;
        SoundInfo want;
    } cases[] = {
        {2, 16, 44100, 154350, {2, 44100, 2, 16, 3500}},
        {1, 8, 22050, 22050 * 2 + 11, {1, 22050, 1, 8, 2000}},
        {1, 16, 48000, 47, {1, 48000, 2, 16, 0}},
        {2, 8, 768000, 768000, {2, 768000, 1, 8, 1000}},
    };
    for (const Case& c : cases) {
        WavLayout w;
        w.channels = c.channels;
        w.bitsPerSample = c.bits;
        w.sampleRate = c.rate;
        w.data = Bytes(c.sampleFrames * c.channels * c.bits / 8, 0);
        SoundInfo info;
        ASSERT_TRUE(WavSound::GetSoundInfo(Write("i.WAV", WavBytes(w)), &info)) << c.rate;
        EXPECT_EQ(info.Channels, c.want.Channels);
        EXPECT_EQ(info.SampleRate, c.want.SampleRate);
        EXPECT_EQ(info.BytesPerSample, c.want.BytesPerSample);
        EXPECT_EQ(info.BitsPerSample, c.want.BitsPerSample);
        EXPECT_EQ(info.Length, c.want.Length) << c.rate;
    }
    EXPECT_TRUE(WavSound::GetSoundInfo(dir / "i.WAV", nullptr));
    EXPECT_EQ(TakeErrors(), Errors{});
}

// Every way a header can be wrong, with what GetSoundInfo shows and BuildSummary returns.
TEST_F(SoundTest, BrokenHeadersGiveTheirOwnMessageAndCode)
{
    const WavLayout good = MarkedWav(44100, 2, 0.1);
    const Bytes whole = WavBytes(good);
    auto with = [&](auto change) {
        WavLayout w = good;
        change(w);
        return WavBytes(w);
    };
    auto cut = [&](size_t n) { return Bytes(whole.begin(), whole.begin() + ptrdiff_t(n)); };
    Bytes riffx = whole;
    riffx[3] = 'X';
    Bytes wavx = whole;
    wavx[11] = 'X';
    Bytes noFmt = whole;
    noFmt[12] = 'f';
    noFmt[15] = 'X';
    Bytes controlInId = whole;
    controlInId[0] = 'R';
    controlInId[1] = 0x01;

    struct Case {
        const char* name;
        Bytes bytes;
        const char* info; // nullptr: GetSoundInfo succeeds
        int code;         // frames when not negative
    } cases[] = {
        {"empty file", {}, "RIFFヘッダがありません", -2},
        {"RIFX", riffx, "RIFFヘッダがありません", -2},
        {"control character in the first id", controlInId, "RIFFヘッダがありません", -2},
        {"WAVX", wavx, "WAVEヘッダがありません", -2},
        {"no fmt chunk", noFmt, "fmtチャンクがありません", -2},
        {"ends at the fmt size", cut(16), "不正なフォーマットです", -2},
        {"ends inside the format", cut(30), "ファイルが開けません", -1},
        {"no data chunk", cut(36), "dataチャンクが見つかりません", -2},
        {"ends at the data size", cut(40), "ファイルが開けません", -1},
        {"float samples", with([](WavLayout& w) { w.formatTag = 3; }), "未対応なフォーマットです", -3},
        {"no channels", with([](WavLayout& w) { w.channels = 0; }), "不正なチャンネル数です", -2},
        {"three channels", with([](WavLayout& w) { w.channels = 3; }), "不正なチャンネル数です", -2},
        {"24-bit", with([](WavLayout& w) { w.bitsPerSample = 24; }), "不正なビット数です", -3},
        {"8-bit", with([](WavLayout& w) { w.bitsPerSample = 8; }), nullptr, -3},
        {"rate 0", with([](WavLayout& w) { w.sampleRate = 0; }), "未対応なフォーマットです", -3},
        {"rate 99", with([](WavLayout& w) { w.sampleRate = 99; }), "未対応なフォーマットです", -3},
        {"rate 768001", with([](WavLayout& w) { w.sampleRate = 768001; }), "未対応なフォーマットです", -3},
        {"rate 4 GHz", with([](WavLayout& w) { w.sampleRate = 0xFFFFFFFF; }), "未対応なフォーマットです", -3},
        {"chunk of size 0", with([](WavLayout& w) { w.beforeData = Chunk("JUNK", {}); }),
         "dataチャンクが見つかりません", -2},
        {"chunk of size 1", with([](WavLayout& w) { w.beforeData = Chunk("JUNK", {7}); }),
         "dataチャンクが見つかりません", -2},
        // Checked up to the first byte that differs: "d" matches, so "\t" is looked at.
        {"control character in a chunk id", with([](WavLayout& w) { w.beforeData = Chunk("d\tta", Bytes(4, 0)); }),
         "dataチャンクが見つかりません", -2},
        {"control character after the difference",
         with([](WavLayout& w) { w.beforeData = Chunk("J\tNK", Bytes(4, 0)); }), nullptr, 10},
        {"chunk running past the end",
         with([](WavLayout& w) {
             w.beforeData = Chunk("JUNK", Bytes(4, 0));
             PutI32(w.beforeData, 4, 0x7F0000FF);
         }),
         "dataチャンクが見つかりません", -2},
    };
    const char* const buildText[] = {"", "ファイルが開けません", "不正なファイルです", "未対応なフォーマットです"};
    for (const Case& c : cases) {
        const std::string path = Write("broken.wav", c.bytes);
        EXPECT_EQ(WavSound::GetSoundInfo(path, nullptr), c.info == nullptr) << c.name;
        EXPECT_EQ(TakeErrors(), c.info ? Errors{c.info} : Errors{}) << c.name;
        EXPECT_EQ(sound.BuildSummary(path), c.code) << c.name;
        EXPECT_EQ(sound.FrameCount(), size_t(std::max(c.code, 0))) << c.name;
        EXPECT_EQ(TakeErrors(), c.code < 0 ? Errors{buildText[-c.code]} : Errors{}) << c.name;
    }
    // The rate limits themselves are fine.
    for (uint32_t rate : {100u, 768000u}) {
        EXPECT_EQ(sound.BuildSummary(Write("edge.wav", WavBytes(MarkedWav(rate, 2, 1.0)))), 100) << rate;
    }
    EXPECT_EQ(TakeErrors(), Errors{});
}

TEST_F(SoundTest, DataBeyondTheEndOfTheFileIsNotInvented)
{
    WavLayout w = MarkedWav(44100, 2, 1.5);
    w.dataSize = 44100 * 4 * 3600; // claims an hour
    const std::string path = Write("short.wav", WavBytes(w));
    EXPECT_EQ(sound.BuildSummary(path), 150);
    SoundInfo info;
    ASSERT_TRUE(WavSound::GetSoundInfo(path, &info));
    EXPECT_EQ(info.Length, 1500);
    // The largest size the field can hold.
    w.dataSize = 0xFFFFFFFF;
    EXPECT_EQ(sound.BuildSummary(Write("short.wav", WavBytes(w))), 150);
    EXPECT_EQ(TakeErrors(), Errors{});
}

TEST_F(SoundTest, ExtensionsAndMissingFiles)
{
    const Bytes wav = WavBytes(MarkedWav(44100, 2, 3.5));
    EXPECT_EQ(sound.BuildSummary(Write("lower.wav", wav)), 350);
    EXPECT_EQ(sound.BuildSummary(Write("Mixed.WaV", wav)), 350);
    EXPECT_TRUE(WavSound::GetSoundInfo(dir / "Mixed.WaV", nullptr));
    EXPECT_EQ(TakeErrors(), Errors{});

    // Failures before the file is read keep the summary there was.
    EXPECT_EQ(sound.BuildSummary(Write("x.wave", wav)), -3);
    EXPECT_EQ(sound.BuildSummary(Write("noext", wav)), -3);
    EXPECT_EQ(sound.BuildSummary(dir / "missing.wav"), -1);
    EXPECT_EQ(sound.BuildSummary(dir.Path()), -1) << "a folder";
    EXPECT_EQ(sound.BuildSummary(""), -1);
    EXPECT_EQ(sound.FrameCount(), 350u);
    EXPECT_EQ(TakeErrors(), (Errors{"未対応なフォーマットです", "未対応なフォーマットです", "ファイルが開けません",
                                    "ファイルが開けません", "ファイルが開けません"}));
    EXPECT_FALSE(WavSound::GetSoundInfo(dir / "x.wave", nullptr));
    EXPECT_FALSE(WavSound::GetSoundInfo(dir / "missing.wav", nullptr));
    EXPECT_EQ(TakeErrors(), (Errors{"未対応なフォーマットです", "ファイルが開けません"}));

    // A file that is there but empty is read, and found wanting.
    EXPECT_EQ(sound.BuildSummary(Write("empty.wav", {})), -2);
    EXPECT_EQ(sound.FrameCount(), 0u);
    EXPECT_EQ(TakeErrors(), Errors{"不正なファイルです"});

    // No sound at all: a summary of no frames, and no error.
    WavLayout silent;
    EXPECT_EQ(sound.BuildSummary(Write("none.wav", WavBytes(silent))), 0);
    EXPECT_EQ(TakeErrors(), Errors{});
}

TEST_F(SoundTest, RelativePathsAreTakenFromTheProgramFolder)
{
    const std::string saved = ExeDir();
    SetExeDir(dir.Path());
    Write("rel.wav", WavBytes(MarkedWav(44100, 1, 0.2)));
    EXPECT_EQ(sound.BuildSummary("rel.wav"), 20);
    SetExeDir(saved);
}

TEST_F(SoundTest, FindChunkSkipsChunksWithTheirPadByte)
{
    const Bytes bytes =
        Join(Join(Chunk("JUNK", Bytes(3, 'j')), Chunk("LIST", Bytes(2, 0))), Bytes{'d', 'a', 't', 'a', 9});
    FileReader reader(Write("chunks.bin", bytes));
    EXPECT_FALSE(FindChunk(reader, "dat"));
    EXPECT_FALSE(FindChunk(reader, "datas"));
    EXPECT_EQ(reader.Position(), 0u);
    ASSERT_TRUE(FindChunk(reader, "data"));
    EXPECT_EQ(reader.Position(), bytes.size() - 1);
    reader.Seek(0);
    EXPECT_TRUE(FindChunk(reader, "JUNK"));
    EXPECT_EQ(reader.Position(), 4u);
    reader.Seek(0);
    EXPECT_FALSE(FindChunk(reader, "fmt "));
}
