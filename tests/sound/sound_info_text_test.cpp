// The sound information line of WAV files, and the sound file time.
#include "sound_test_fixture.h"

#include "common/paths.h"
#include "sound/sound_file_time.h"
#include "sound/sound_info_text.h"

#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>

namespace {

// A WAV file whose sound is sampleFrames of silence, made sparse so that long ones cost
// nothing.
void WriteSilentWav(const std::string& path, uint16_t channels, uint32_t rate, uint16_t bits, uint64_t sampleFrames)
{
    WavLayout w;
    w.channels = channels;
    w.sampleRate = rate;
    w.bitsPerSample = bits;
    const uint64_t dataBytes = sampleFrames * channels * bits / 8;
    w.dataSize = uint32_t(dataBytes);
    Bytes b = WavBytes(w);
    WriteBytes(path, b);
    std::filesystem::resize_file(path, b.size() + dataBytes);
}

} // namespace

TEST_F(SoundTest, WavInformationLine)
{
    struct Case {
        uint16_t channels;
        uint32_t rate;
        uint16_t bits;
        uint64_t sampleFrames;
        const char* text;
    } cases[] = {
        {2, 44100, 16, 9062550, "44.1kHz 16bit stereo  00:03:25.50"},
        {1, 22050, 8, 44100, "22.0kHz 8bit mono  00:00:02.00"},
        {2, 48000, 16, 48000 * 3725 + 480, "48.0kHz 16bit stereo  01:02:05.01"},
        {1, 11025, 16, 11025 / 2 + 1, "11.0kHz 16bit mono  00:00:00.50"},
        {2, 96000, 8, 0, "96.0kHz 8bit stereo  00:00:00.00"},
    };
    for (const Case& c : cases) {
        WriteSilentWav(dir / "s.wav", c.channels, c.rate, c.bits, c.sampleFrames);
        EXPECT_EQ(SoundInfoText(dir / "s.wav"), c.text);
    }
    EXPECT_TRUE(TakeErrors().empty());
}

TEST_F(SoundTest, NoInformationLineWithoutAReadableSound)
{
    const Bytes wav = WavBytes(WavLayout{});
    Write("other.wave", wav);
    Write("broken.WAV", Bytes{'R', 'I', 'F', 'X'});
    EXPECT_EQ(SoundInfoText(dir / "missing.wav"), "");
    EXPECT_EQ(SoundInfoText(""), "");
    EXPECT_EQ(SoundInfoText(dir / "other.wave"), "");
    EXPECT_EQ(SoundInfoText(dir.Path()), "") << "a folder";
    EXPECT_TRUE(TakeErrors().empty()) << "nothing to tell about these";
    EXPECT_EQ(SoundInfoText(dir / "broken.WAV"), "");
    EXPECT_EQ(TakeErrors(), std::vector<std::string>{"RIFFヘッダがありません"});

    // A relative path is taken from the program's folder.
    const std::string saved = ExeDir();
    SetExeDir(dir.Path());
    Write("rel.wav", wav);
    EXPECT_EQ(SoundInfoText("rel.wav"), "44.1kHz 16bit stereo  00:00:00.00");
    SetExeDir(saved);
}

TEST_F(SoundTest, SoundFileTimeIsTheModificationDayCount)
{
    const std::string path = Write("t.wav", Bytes(10, 0));
    // 2020-01-01 12:00:00.5 UTC is day 43831 from 1899-12-30, half a day and half a second on.
    const timespec times[2] = {{1577880000, 500000000}, {1577880000, 500000000}};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    const double t = SoundFileTime(path);
    EXPECT_DOUBLE_EQ(t, 43831.5 + 0.5 / 86400);
    EXPECT_EQ(SoundFileTime(path), t) << "the same file gives the same value";
    const timespec later[2] = {{1577880000, 500001000}, {1577880000, 500001000}};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), later, 0), 0);
    EXPECT_NE(SoundFileTime(path), t) << "a microsecond later is another time";
    EXPECT_EQ(SoundFileTime(dir / "missing.wav"), 0.0);
}
