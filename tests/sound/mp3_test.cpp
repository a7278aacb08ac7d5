// MP3 files: decoding to WAV, their information, and summaries through the decoded file.
// The MP3s are made from generated tones by the lame encoder at test time.
#include "sound_test_fixture.h"

#include "sound/mp3_decoder.h"
#include "sound/sound_info_text.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iterator>

namespace fs = std::filesystem;

namespace {

class Mp3Test : public SoundTest {
protected:
    void SetUp() override
    {
        // The decoder's temporary folder goes under TMPDIR; point it at a folder of our own
        // to see that nothing is left there.
        if (const char* old = std::getenv("TMPDIR"))
            savedTmp_ = old;
        setenv("TMPDIR", tmp.Path().c_str(), 1);
    }
    void TearDown() override
    {
        if (savedTmp_)
            setenv("TMPDIR", savedTmp_->c_str(), 1);
        else
            unsetenv("TMPDIR");
    }

    // An MP3 of a 1 kHz tone with the given peaks, encoded from a WAV written here.
    std::string MakeMp3(const std::string& name, double seconds, uint32_t rate, int channels)
    {
        WavLayout w;
        w.channels = uint16_t(channels);
        w.sampleRate = rate;
        w.data = Tone16(seconds, rate, channels, 1000, 16000, 8000);
        const std::string wav = Write(name + ".source.wav", WavBytes(w));
        const std::string mp3 = dir / name;
        const int status = RunCommand("lame --quiet --noreplaygain -b 128 '" + wav + "' '" + mp3 + "' 2>&1");
        EXPECT_EQ(status, 0) << "lame (from scripts/install-deps) encodes the test tone";
        return mp3;
    }

    bool TmpIsEmpty() const { return fs::is_empty(tmp.Path()); }

    TempDir tmp;

private:
    std::optional<std::string> savedTmp_;
};

} // namespace

TEST_F(Mp3Test, DecodesToA16BitWav)
{
    const std::string mp3 = MakeMp3("tone.mp3", 2.0, 44100, 2);
    const std::string wav = Write("out.wav", Bytes(100, 'x')); // an earlier file is replaced
    ASSERT_TRUE(DecodeMp3ToWav(mp3, wav));
    SoundInfo info;
    ASSERT_TRUE(WavSound::GetSoundInfo(wav, &info));
    EXPECT_EQ(info.Channels, 2);
    EXPECT_EQ(info.SampleRate, 44100);
    EXPECT_EQ(info.BitsPerSample, 16);
    EXPECT_NEAR(info.Length, 2000, 30) << "the encoder's padding is trimmed";

    const std::string mono = MakeMp3("mono.mp3", 1.0, 22050, 1);
    ASSERT_TRUE(DecodeMp3ToWav(mono, wav));
    ASSERT_TRUE(WavSound::GetSoundInfo(wav, &info));
    EXPECT_EQ(info.Channels, 1);
    EXPECT_EQ(info.SampleRate, 22050);
    EXPECT_TRUE(TakeErrors().empty());
}

TEST_F(Mp3Test, SummaryOfAnMp3)
{
    std::vector<std::string> texts;
    sound.SetProgress([&](const std::string& t) { texts.push_back(t); });
    const int frames = sound.BuildSummary(MakeMp3("tone.MP3", 3.0, 44100, 2));
    EXPECT_NEAR(frames, 300, 3);
    EXPECT_EQ(sound.Channels(), 2);
    EXPECT_EQ(sound.SampleRate(), 44100);
    ASSERT_GT(sound.FrameCount(), 150u);
    const SummaryFrame& mid = sound.Frame(150);
    EXPECT_NEAR(mid.LeftMax, 16000, 1600);
    EXPECT_NEAR(mid.LeftMin, -16000, 1600);
    EXPECT_NEAR(mid.RightMax, 8000, 800);
    EXPECT_NEAR(mid.RightMin, -8000, 800);
    ASSERT_GE(texts.size(), 3u);
    EXPECT_EQ(texts.front(), "MP3 Decoding... ");
    EXPECT_EQ(texts[1], "読み込み中... 0%");
    EXPECT_EQ(texts.back(), "");
    EXPECT_TRUE(TakeErrors().empty());
    EXPECT_TRUE(TmpIsEmpty()) << "the decoded file is deleted";
}

TEST_F(Mp3Test, InformationLine)
{
    const std::string stereo = MakeMp3("a.mp3", 3.5, 44100, 2);
    Mp3Info info;
    ASSERT_TRUE(GetMp3Info(stereo, info));
    EXPECT_EQ(info.Channels, 2);
    EXPECT_EQ(info.SampleRate, 44100);
    EXPECT_EQ(info.RateDecimal, 1);
    EXPECT_EQ(info.PlayingTime, 3);
    EXPECT_EQ(SoundInfoText(stereo), "44.1kHz stereo  03");
    EXPECT_EQ(SoundInfoText(MakeMp3("b.Mp3", 61.2, 22050, 1)), "22.0kHz mono   1:01");
    EXPECT_TRUE(TakeErrors().empty());
    EXPECT_TRUE(TmpIsEmpty());
}

TEST_F(Mp3Test, DecoderFailuresReportTheDecoderError)
{
    // A summary to keep.
    WavLayout w;
    w.data = Tone16(1.0, 44100, 2, 440, 1000, 1000);
    ASSERT_EQ(sound.BuildSummary(Write("keep.wav", WavBytes(w))), 100);

    std::string junk(20000, '\0');
    for (size_t i = 0; i < junk.size(); ++i)
        junk[i] = char("not an mp3 at all "[i % 18]);
    const std::string corrupt = Write("corrupt.mp3", Bytes(junk.begin(), junk.end()));
    const std::string empty = Write("empty.mp3", {});
    for (const std::string& path : {corrupt, empty}) {
        EXPECT_EQ(sound.BuildSummary(path), -4) << path;
        EXPECT_EQ(TakeErrors(), std::vector<std::string>{"VBMP3.DLL エラー"});
        EXPECT_EQ(sound.FrameCount(), 100u) << "the summary there was is kept";
        Mp3Info info;
        EXPECT_FALSE(GetMp3Info(path, info));
        EXPECT_EQ(SoundInfoText(path), "");
        const std::string wav = Write("old.wav", Bytes(10, 'x'));
        EXPECT_FALSE(DecodeMp3ToWav(path, wav));
        EXPECT_FALSE(fs::exists(wav)) << "an earlier file never survives";
    }
    EXPECT_FALSE(DecodeMp3ToWav(dir / "missing.mp3", dir / "m.wav"));
    EXPECT_EQ(sound.BuildSummary(dir / "missing.mp3"), -1);
    EXPECT_EQ(TakeErrors(), std::vector<std::string>{"ファイルが開けません"});
    EXPECT_TRUE(TmpIsEmpty());
}

TEST_F(Mp3Test, DecodingStopsAtItsBound)
{
    const std::string mp3 = MakeMp3("tone.mp3", 2.0, 44100, 2);
    EXPECT_FALSE(DecodeMp3ToWav(mp3, dir / "out.wav", 44100 * 4));
    EXPECT_FALSE(fs::exists(dir / "out.wav"));
    EXPECT_TRUE(DecodeMp3ToWav(mp3, dir / "out.wav", 44100 * 4 * 3));
}

TEST_F(Mp3Test, CutFilesGiveTheDecoderErrorOrTheFramesThatAreThere)
{
    const Bytes whole = ReadBytes(MakeMp3("tone.mp3", 2.0, 44100, 2));
    ASSERT_GT(whole.size(), 1000u);
    const int full = sound.BuildSummary(dir / "tone.mp3");
    ASSERT_GE(full, 200);
    auto cut = [&](size_t n) { return Write("cut.mp3", Bytes(whole.begin(), whole.begin() + ptrdiff_t(n))); };

    // No whole frame: nothing to decode.
    for (size_t n : {size_t(0), size_t(4), size_t(100)}) {
        Mp3Info info;
        EXPECT_FALSE(GetMp3Info(cut(n), info)) << n;
        EXPECT_EQ(sound.BuildSummary(dir / "cut.mp3"), -4) << n;
        EXPECT_EQ(TakeErrors(), std::vector<std::string>{"VBMP3.DLL エラー"}) << n;
    }
    // Half a file gives about half the sound.
    const int half = sound.BuildSummary(cut(whole.size() / 2));
    EXPECT_GT(half, full / 2 - 20);
    EXPECT_LT(half, full / 2 + 20);
    EXPECT_TRUE(TakeErrors().empty());

    // A tag that claims more bytes than the file holds hides every frame.
    const uint8_t tag[] = {'I', 'D', '3', 4, 0, 0, 0x7F, 0x7F, 0x7F, 0x7F};
    Bytes tagged(sizeof tag + whole.size());
    std::copy(std::begin(tag), std::end(tag), tagged.begin());
    std::copy(whole.begin(), whole.end(), tagged.begin() + sizeof tag);
    EXPECT_EQ(sound.BuildSummary(Write("tagged.mp3", tagged)), -4);
    EXPECT_EQ(TakeErrors(), std::vector<std::string>{"VBMP3.DLL エラー"});
    EXPECT_TRUE(TmpIsEmpty());
}
