// lumenrill-cli play: wrong arguments, shows that cannot play, and a show played to its end.
#include "cli_fixture.h"
#include "support/wav_writer.h"

#include <filesystem>

namespace {

class CliPlayTest : public CliFixture {
protected:
    // A show on a silent WAV of the given length, with the given lead-in and run-out.
    void MakeShow(const std::string& sound, int32_t pre, int32_t post)
    {
        WriteText("show.json", R"({"soundFile": ")" + sound + R"(", "prePlayTime": )" + std::to_string(pre) +
                                   R"(, "postPlayTime": )" + std::to_string(post) +
                                   R"(, "lines": [[{"time": 0, "color": "#FF0000"}],[],[],[],[],[],[],[]]})");
        ASSERT_EQ(Cli("import show.json show.PRJ"), 0) << Stderr();
    }
    void WriteWav(const std::string& name, double seconds)
    {
        WavLayout w;
        w.data = Bytes(size_t(seconds * 44100) * 4, 0);
        WriteBytes(dir / name, WavBytes(w));
    }
};

} // namespace

TEST_F(CliPlayTest, WrongArguments)
{
    MakeShow("none.wav", 0, 0);
    for (const char* args : {"play", "play show.PRJ --osc-port 0", "play show.PRJ --osc-port 65536",
                             "play show.PRJ --universe 32768", "play show.PRJ --universe -1", "play show.PRJ --universe", "play show.PRJ --loud",
                             "play show.PRJ other.PRJ", "play show.PRJ --light-latency 501",
                             "play show.PRJ --light-latency -501", "play show.PRJ --light-latency"}) {
        EXPECT_EQ(Cli(args), 2) << args;
        EXPECT_NE(Stderr().find("usage: lumenrill-cli play SHOW.PRJ"), std::string::npos) << args;
    }
    // A list item that is none is named.
    for (const auto& [args, named] : {std::pair{"play show.PRJ --osc-allow 10.0.0.0/8,10.0.0.300", "\"10.0.0.300\""},
                                      std::pair{"play show.PRJ --osc-feedback 10.0.0.1", "\"10.0.0.1\""},
                                      std::pair{"play show.PRJ --osc-allow", "usage"}}) {
        EXPECT_EQ(Cli(args), 2) << args;
        EXPECT_NE(Stderr().find(named), std::string::npos) << Stderr();
    }
}

TEST_F(CliPlayTest, RefusedOutputOptionsNameTheirValue)
{
    MakeShow("none.wav", 0, 0);
    struct Case {
        const char* args;
        const char* message;
    } cases[] = {
        {"--artnet multicast",
         "lumenrill-cli: --artnet: \"multicast\" is none of broadcast, limited, unicast, off, nor IPv4 addresses"},
        {"--artnet 198.18.0.2,198.18.0", "lumenrill-cli: --artnet: \"198.18.0\" is no IPv4 address"},
        {"--sacn 2.0.0.2,2.0.0", "lumenrill-cli: --sacn: \"2.0.0\" is no IPv4 address"},
        {"--sacn broadcast", "lumenrill-cli: --sacn: \"broadcast\" is no IPv4 address"},
        {"--sacn-universe 0", "lumenrill-cli: --sacn-universe: sACN universe \"0\" is not within 1-63999"},
        {"--sacn-universe 64000", "lumenrill-cli: --sacn-universe: sACN universe \"64000\" is not within 1-63999"},
        {"--sacn-priority 201", "lumenrill-cli: --sacn-priority: sACN priority \"201\" is not within 0-200"},
        {"--sacn-priority x", "lumenrill-cli: --sacn-priority: sACN priority \"x\" is not within 0-200"},
        {"--sacn", "usage: lumenrill-cli play SHOW.PRJ"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Cli(std::string("play show.PRJ ") + c.args), 2) << c.args;
        EXPECT_NE(Stderr().find(c.message), std::string::npos) << Stderr();
        EXPECT_NE(Stderr().find("[--sacn multicast|ADDR,...|off]"), std::string::npos) << "the usage follows";
    }
}

TEST_F(CliPlayTest, ShowsThatCannotPlayEndWithStatusOne)
{
    MakeShow("", 0, 0);
    EXPECT_EQ(Cli("play show.PRJ --osc-port 19901"), 1);
    EXPECT_NE(Stderr().find("no sound file"), std::string::npos) << Stderr();

    MakeShow(dir / "missing.wav", 0, 0);
    EXPECT_EQ(Cli("play show.PRJ --osc-port 19901"), 1);
    EXPECT_NE(Stderr().find("show.PRJ: its sound file is not there: " + dir / "missing.wav"), std::string::npos)
        << Stderr();

    EXPECT_EQ(Cli("play missing.PRJ"), 1);
}

TEST_F(CliPlayTest, WithoutAudioOutputTheShowDoesNotPlay)
{
    WriteWav("a.wav", 0.5);
    MakeShow(dir / "a.wav", 0, 0);
    EXPECT_EQ(Cli("play show.PRJ --osc-port 19902", nullptr, "PULSE_SERVER=unix:/nonexistent/native"), 1);
    EXPECT_NE(Stderr().find("Audio output unavailable"), std::string::npos) << Stderr();
}

TEST_F(CliPlayTest, StartPlaysToTheEndAndExits)
{
    if (const std::string problem = TestSoundServerProblem(); !problem.empty())
        SKIP_FOR_ENVIRONMENT(problem);
    WriteWav("a.wav", 0.6);
    MakeShow("a.wav", 300, 300); // relative: beside the executable, which it is not
    EXPECT_EQ(Cli("play show.PRJ --start --exit-at-end --osc-port 19903", nullptr, "timeout 20"), 1)
        << "a relative sound lies in the executable's folder";

    MakeShow(dir / "a.wav", 300, 300);
    // With a lead-in and a run-out, then with neither: both end by themselves.
    EXPECT_EQ(Cli("play show.PRJ --start --exit-at-end --osc-port 19903", nullptr, "timeout 20"), 0) << Stderr();
    MakeShow(dir / "a.wav", 0, 0);
    EXPECT_EQ(Cli("play show.PRJ --start --exit-at-end --osc-port 19903", nullptr, "timeout 20"), 0) << Stderr();
    EXPECT_EQ(Cli("play show.PRJ --start --exit-at-end --light-latency -500 --osc-port 19903", nullptr, "timeout 20"), 0)
        << Stderr();
}
