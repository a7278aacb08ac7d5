// lumenrill-cli summary and soundinfo, run as a user would.
#include "cli_fixture.h"
#include "support/wav_writer.h"

#include <gtest/gtest.h>
#include <filesystem>

namespace {

class CliSoundTest : public CliFixture {
protected:
    void WriteWav(const std::string& name, double seconds, uint16_t bits = 16)
    {
        WavLayout w;
        w.bitsPerSample = bits;
        w.data = Bytes(size_t(seconds * 44100) * 2 * bits / 8, 0);
        WriteBytes(dir / name, WavBytes(w));
    }
};

} // namespace

TEST_F(CliSoundTest, SummaryCountsFramesAndWritesTheWaveformFile)
{
    std::filesystem::create_directory(dir / "music");
    WriteWav("music/a.wav", 3.5);
    std::string out;
    ASSERT_EQ(Cli("summary music/a.wav", &out), 0) << Stderr();
    EXPECT_EQ(out, "350 frames\n");
    EXPECT_EQ(Stderr(), "") << "no progress when standard error is not a terminal";
    ASSERT_EQ(Cli("summary music/a.wav music/a.wfm", &out), 0) << Stderr();
    EXPECT_EQ(out, "350 frames\n");
    EXPECT_EQ(ReadBytes(dir / "music/a.wfm"), Bytes(350 * 16, 0));
}

// In English, naming the file and the reason.
TEST_F(CliSoundTest, SummaryFailuresPrintTheProgramsMessage)
{
    WriteWav("eight.wav", 1, 8);
    WriteWav("silent.wav", 0);
    WriteBytes(dir / "keep.wfm", Bytes(16, 7));
    WriteBytes(dir / "broken.wav", Bytes{'R', 'I', 'F', 'F'});
    WriteWav("eight.mp3x", 1);
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"summary eight.wav", "", "eight.wav: Unsupported format\n"},
        {"summary missing.wav", "", "missing.wav: Cannot open file\n"},
        {"summary broken.wav", "", "broken.wav: Invalid file\n"},
        {"summary eight.mp3x", "", "eight.mp3x: Unsupported format\n"},
        {"summary silent.wav keep.wfm", "0 frames\n", "keep.wfm is not written"},
    };
    for (const auto& [args, stdoutText, stderrText] : cases) {
        std::string out;
        EXPECT_EQ(Cli(args, &out), 1) << args;
        EXPECT_EQ(out, stdoutText) << args;
        EXPECT_NE(Stderr().find(stderrText), std::string::npos) << args << " -> " << Stderr();
    }
    EXPECT_EQ(ReadBytes(dir / "keep.wfm"), Bytes(16, 7)) << "an empty summary never overwrites";

    WriteWav("ok.wav", 1);
    EXPECT_EQ(Cli("summary ok.wav no/such/folder/x.wfm"), 1);
    EXPECT_NE(Stderr().find("x.wfm: No such file or directory"), std::string::npos) << Stderr();
}

TEST_F(CliSoundTest, SoundInfoPrintsTheInformationLine)
{
    WriteWav("a.WAV", 3.5);
    std::string out;
    ASSERT_EQ(Cli("soundinfo a.WAV", &out), 0) << Stderr();
    EXPECT_EQ(out, "44.1kHz 16bit stereo  00:00:03.50\n");

    WriteBytes(dir / "broken.wav", Bytes{'R', 'I', 'F', 'X'});
    EXPECT_EQ(Cli("soundinfo broken.wav", &out), 1);
    EXPECT_EQ(out, "");
    EXPECT_EQ(Stderr(), "lumenrill-cli: " + dir / "broken.wav" + ": No RIFF header\n");
    EXPECT_EQ(Cli("soundinfo missing.wav", &out), 1);
    EXPECT_EQ(out, "");
}

TEST_F(CliSoundTest, WrongArguments)
{
    for (const char* args : {"summary", "summary a.wav b.wfm c", "soundinfo", "soundinfo a.wav b.wav"}) {
        EXPECT_EQ(Cli(args), 2) << args;
        EXPECT_NE(Stderr().find("usage"), std::string::npos) << args;
    }
}
