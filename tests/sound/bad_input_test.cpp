// Bad sound and waveform files, case by case: cut at every field of the header, sizes
// that lie, fields that claim too much. Each gives its own message and code, and nothing
// is read from bytes the file does not hold.
#include "sound_test_fixture.h"

namespace {

using Errors = std::vector<std::string>;

const char* const BuildText[] = {"", "ファイルが開けません", "不正なファイルです", "未対応なフォーマットです"};

} // namespace

TEST_F(SoundTest, AWavCutAtEveryHeaderFieldGivesTheMessageOfThatField)
{
    WavLayout w;
    w.channels = 1;
    w.sampleRate = 100;
    w.data = Pcm16(300, 1, [](size_t s, int) { return int16_t(s); });
    const Bytes whole = WavBytes(w);
    struct Case {
        size_t size;
        const char* field; // the first field the file lacks
        const char* info;  // nullptr: GetSoundInfo succeeds
        int code;
    } cases[] = {
        {0, "RIFF", "RIFFヘッダがありません", -2},
        {2, "RIFF", "RIFFヘッダがありません", -2},
        {4, "RIFF size", "WAVEヘッダがありません", -2},
        {8, "WAVE", "WAVEヘッダがありません", -2},
        {12, "fmt id", "fmtチャンクがありません", -2},
        {16, "fmt size", "不正なフォーマットです", -2},
        {20, "format tag", "ファイルが開けません", -1},
        {22, "channels", "ファイルが開けません", -1},
        {24, "sample rate", "ファイルが開けません", -1},
        {28, "bytes per second", "ファイルが開けません", -1},
        {32, "block align", "ファイルが開けません", -1},
        {34, "bits per sample", "ファイルが開けません", -1},
        {36, "data id", "dataチャンクが見つかりません", -2},
        {40, "data size", "ファイルが開けません", -1},
        {44, "samples", nullptr, 0},
        {45, "half a sample", nullptr, 0},
        {46, "the second sample", nullptr, 1},
        {whole.size() - 1, "the last byte", nullptr, 299},
    };
    for (const Case& c : cases) {
        const std::string path = Write("cut.wav", Bytes(whole.begin(), whole.begin() + ptrdiff_t(c.size)));
        SoundInfo info;
        EXPECT_EQ(WavSound::GetSoundInfo(path, &info), c.info == nullptr) << c.field;
        EXPECT_EQ(TakeErrors(), c.info ? Errors{c.info} : Errors{}) << c.field;
        if (!c.info) {
            EXPECT_NEAR(info.Length, c.code * 10, 1) << c.field;
        }
        EXPECT_EQ(sound.BuildSummary(path), c.code) << c.field;
        EXPECT_EQ(TakeErrors(), c.code < 0 ? Errors{BuildText[-c.code]} : Errors{}) << c.field;
    }
}

TEST_F(SoundTest, WavSizesAndCountsThatLie)
{
    WavLayout good;
    good.channels = 2;
    good.sampleRate = 100;
    good.data = Pcm16(150, 2, [](size_t s, int c) { return int16_t(c ? -int(s) : int(s)); });
    auto with = [&](auto change) {
        WavLayout w = good;
        change(w);
        return WavBytes(w);
    };
    auto patched = [&](size_t offset, uint32_t value) {
        Bytes b = WavBytes(good);
        PutI32(b, offset, int32_t(value));
        return b;
    };
    struct Case {
        const char* name;
        Bytes bytes;
        const char* info;
        int code;
    } cases[] = {
        // The RIFF size is never used: a file is read by its chunks.
        {"RIFF size 0", patched(4, 0), nullptr, 150},
        {"RIFF size 4 GB", patched(4, 0xFFFFFFFF), nullptr, 150},
        // The fmt size decides where the next chunk starts.
        {"fmt size 4 GB", patched(16, 0xFFFFFFFF), "dataチャンクが見つかりません", -2},
        {"fmt size 2 GB", patched(16, 0x80000000), "dataチャンクが見つかりません", -2},
        {"fmt size 4, into the format", patched(16, 4), "dataチャンクが見つかりません", -2},
        {"fmt size 0", patched(16, 0), "dataチャンクが見つかりません", -2},
        // The block alignment, not the bits, gives the sample size.
        {"block align 0", with([](WavLayout& w) { w.blockAlign = 0; }), "不正なビット数です", -3},
        {"block align 1 for stereo", with([](WavLayout& w) { w.blockAlign = 1; }), "不正なビット数です", -3},
        {"block align 8", with([](WavLayout& w) { w.blockAlign = 8; }), "不正なビット数です", -3},
        {"block align 65535", with([](WavLayout& w) { w.blockAlign = 0xFFFF; }), "不正なビット数です", -3},
        {"65535 channels", with([](WavLayout& w) { w.channels = 0xFFFF; }), "不正なチャンネル数です", -2},
        {"format tag 0xFFFE", with([](WavLayout& w) { w.formatTag = 0xFFFE; }), "未対応なフォーマットです", -3},
        // A data size beyond the file is cut to what is there; a part of a sample frame is left out.
        {"data size 4 GB", with([](WavLayout& w) { w.dataSize = 0xFFFFFFFF; }), nullptr, 150},
        {"data size not a whole sample frame", with([](WavLayout& w) { w.dataSize = 4 * 100 + 3; }), nullptr, 100},
        {"data size 0", with([](WavLayout& w) { w.dataSize = 0; }), nullptr, 0},
        // A chunk before the data that claims the rest of the file, or more.
        {"chunk claiming 4 GB", with([](WavLayout& w) {
             w.beforeData = Chunk("JUNK", Bytes(4, 0));
             PutI32(w.beforeData, 4, -1);
         }),
         "dataチャンクが見つかりません", -2},
        {"chunk claiming 2 bytes too many", with([](WavLayout& w) {
             w.beforeData = Chunk("JUNK", Bytes(4, 0));
             PutI32(w.beforeData, 4, 6);
         }),
         "dataチャンクが見つかりません", -2},
    };
    for (const Case& c : cases) {
        const std::string path = Write("lies.wav", c.bytes);
        EXPECT_EQ(WavSound::GetSoundInfo(path, nullptr), c.info == nullptr) << c.name;
        EXPECT_EQ(TakeErrors(), c.info ? Errors{c.info} : Errors{}) << c.name;
        EXPECT_EQ(sound.BuildSummary(path), c.code) << c.name;
        EXPECT_EQ(TakeErrors(), c.code < 0 ? Errors{BuildText[-c.code]} : Errors{}) << c.name;
        if (c.code > 0) {
            EXPECT_EQ(sound.Frame(size_t(c.code) - 1), (SummaryFrame{c.code - 1, 0, 0, 1 - c.code})) << c.name;
        }
    }
}

TEST_F(SoundTest, AWaveformFileCutAtEveryFieldKeepsItsWholeRecords)
{
    Bytes three(48);
    for (size_t i = 0; i < 12; ++i)
        PutI32(three, i * 4, int32_t(i % 2 ? -(int32_t(i) << 20) : int32_t(i) << 20));
    for (size_t size = 0; size <= three.size(); size += 2) {
        const size_t records = size / 16;
        ASSERT_EQ(sound.LoadSummary(Write("cut.wfm", Bytes(three.begin(), three.begin() + ptrdiff_t(size)))),
                  int(records))
            << size << " bytes";
        for (size_t r = 0; r < records; ++r) {
            const auto v = [&](size_t f) { return GetI32(three, r * 16 + f * 4); };
            EXPECT_EQ(sound.Frame(r), (SummaryFrame{v(0), v(1), v(2), v(3)})) << size << " bytes";
        }
    }
    EXPECT_TRUE(TakeErrors().empty());
}
