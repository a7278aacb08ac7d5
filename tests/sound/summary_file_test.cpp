// The waveform file (*.wfm): loading, saving, and never saving an empty summary.
#include "sound_test_fixture.h"

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

Bytes Records(std::initializer_list<SummaryFrame> frames)
{
    Bytes b(frames.size() * 16);
    size_t at = 0;
    for (const SummaryFrame& f : frames) {
        PutI32(b, at, f.LeftMax);
        PutI32(b, at + 4, f.LeftMin);
        PutI32(b, at + 8, f.RightMax);
        PutI32(b, at + 12, f.RightMin);
        at += 16;
    }
    return b;
}

} // namespace

TEST_F(SoundTest, LoadSummaryReadsWholeRecords)
{
    const Bytes two = Records({{1, -2, 32767, -32768}, {0x01020304, INT32_MIN, INT32_MAX, 0}});
    Bytes forty = two;
    forty.resize(40, 0xEE); // 8 bytes more: not a record
    EXPECT_EQ(sound.LoadSummary(Write("forty.wfm", forty)), 2);
    EXPECT_EQ(sound.Frame(0), (SummaryFrame{1, -2, 32767, -32768}));
    EXPECT_EQ(sound.Frame(1), (SummaryFrame{0x01020304, INT32_MIN, INT32_MAX, 0}));

    // Many blocks' worth, with the last record cut short.
    Bytes many;
    for (int i = 0; i < 10000; ++i)
        many = Join(std::move(many), Records({{i, -i, 2 * i, -2 * i}}));
    many.resize(many.size() - 1);
    EXPECT_EQ(sound.LoadSummary(Write("many.wfm", many)), 9999);
    EXPECT_EQ(sound.Frame(9998), (SummaryFrame{9998, -9998, 19996, -19996}));

    EXPECT_EQ(sound.LoadSummary(Write("empty.wfm", {})), 0);
    EXPECT_EQ(sound.LoadSummary(Write("two.wfm", two)), 2);
    EXPECT_EQ(sound.LoadSummary(dir / "missing.wfm"), 0);
    EXPECT_EQ(sound.FrameCount(), 0u) << "a missing file still clears the summary";
    EXPECT_EQ(sound.LoadSummary(dir.Path()), 0) << "a folder";
    EXPECT_TRUE(messages.entries.empty());
}

TEST_F(SoundTest, SaveSummaryWritesTheRecordsInOrder)
{
    const Bytes two = Records({{5, -6, 7, -8}, {-1, 1, 0, 0}});
    ASSERT_EQ(sound.LoadSummary(Write("in.wfm", two)), 2);
    ASSERT_TRUE(sound.SaveSummary(dir / "out.wfm"));
    EXPECT_EQ(ReadBytes(dir / "out.wfm"), two);

    // Replaced whole, not overwritten in place.
    Write("longer.wfm", Bytes(100, 0xAB));
    ASSERT_TRUE(sound.SaveSummary(dir / "longer.wfm"));
    EXPECT_EQ(ReadBytes(dir / "longer.wfm"), two);

    // Built summaries too, field by field.
    WavLayout w;
    w.channels = 2;
    w.data = Pcm16(441, 2, [](size_t s, int c) { return int16_t(c == 0 ? int(s) : -int(s)); });
    ASSERT_EQ(sound.BuildSummary(Write("a.wav", WavBytes(w))), 1);
    ASSERT_TRUE(sound.SaveSummary(dir / "built.wfm"));
    EXPECT_EQ(ReadBytes(dir / "built.wfm"), Records({{440, 0, 0, -440}}));
}

TEST_F(SoundTest, AnEmptySummaryIsNeverSaved)
{
    const Bytes old = Records({{1, 2, 3, 4}});
    Write("show.wfm", old);
    EXPECT_FALSE(sound.SaveSummary(dir / "show.wfm"));
    EXPECT_EQ(ReadBytes(dir / "show.wfm"), old);

    // Also after a build that found no sound, or failed.
    EXPECT_EQ(sound.BuildSummary(Write("silent.wav", WavBytes(WavLayout{}))), 0);
    EXPECT_FALSE(sound.SaveSummary(dir / "show.wfm"));
    EXPECT_EQ(sound.BuildSummary(Write("bad.wav", Bytes{1, 2, 3})), -2);
    EXPECT_FALSE(sound.SaveSummary(dir / "show.wfm"));
    EXPECT_EQ(ReadBytes(dir / "show.wfm"), old);
    EXPECT_FALSE(sound.SaveSummary(dir / "new.wfm"));
    EXPECT_FALSE(std::filesystem::exists(dir / "new.wfm"));
}

TEST_F(SoundTest, AFailedSaveSaysNothingAndKeepsTheOldFile)
{
    ASSERT_EQ(sound.LoadSummary(Write("in.wfm", Records({{1, -1, 1, -1}}))), 1);
    EXPECT_FALSE(sound.SaveSummary(dir / "no/such/folder/x.wfm"));
    if (geteuid() != 0) { // root writes anywhere
        const Bytes old = Records({{9, 9, 9, 9}});
        std::filesystem::create_directory(dir / "locked");
        Write("locked/show.wfm", old);
        chmod((dir / "locked").c_str(), 0555);
        EXPECT_FALSE(sound.SaveSummary(dir / "locked/show.wfm"));
        EXPECT_EQ(ReadBytes(dir / "locked/show.wfm"), old);
    }
    EXPECT_TRUE(TakeErrors().empty());
}
