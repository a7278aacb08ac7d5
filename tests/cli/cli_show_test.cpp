// lumenrill-cli export, import and eval, run as a user would.
#include "cli_fixture.h"
#include "common/version.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <fstream>

using nlohmann::ordered_json;

namespace {

using CliTest = CliFixture;

const char* ShowJson = R"({
  "version": "ignored",
  "title": "夜の部",
  "soundFile": "music/a.wav",
  "soundFileTime": 45123.123456789012,
  "prePlayTime": 2000,
  "lines": [
    [{"time": 2000, "duration": 5, "color": "#0000FF", "brightness": 100},
     {"time": 1000, "color": "#ff0000"}],
    [], [], [],
    [{"time": -500, "color": null, "brightness": -3}],
    [], [], []
  ]
})";

} // namespace

TEST_F(CliTest, ImportExportRoundTrip)
{
    WriteText("show.json", ShowJson);
    ASSERT_EQ(Cli("import show.json out.PRJ"), 0) << Stderr();
    std::string text;
    ASSERT_EQ(Cli("export out.PRJ", &text), 0) << Stderr();
    const ordered_json j = ordered_json::parse(text);

    std::vector<std::string> keys;
    for (auto it = j.begin(); it != j.end(); ++it)
        keys.push_back(it.key());
    EXPECT_EQ(keys, (std::vector<std::string>{"version", "title", "soundFile", "soundFileTime", "patch",
                                              "prePlayTime", "postPlayTime", "lines"}));
    EXPECT_EQ(j["version"], "1.4.0.0");
    EXPECT_EQ(j["title"], "夜の部");
    EXPECT_EQ(j["soundFileTime"].get<double>(), 45123.123456789012);
    EXPECT_EQ(j["patch"].size(), 512u);
    EXPECT_EQ(j["patch"][23], 23);
    EXPECT_EQ(j["patch"][24], -1);
    EXPECT_EQ(j["prePlayTime"], 2000);
    EXPECT_EQ(j["postPlayTime"], 10000);
    ASSERT_EQ(j["lines"].size(), 8u);
    const ordered_json& line0 = j["lines"][0];
    ASSERT_EQ(line0.size(), 2u);
    EXPECT_EQ(line0[0]["time"], 1000) << "steps normalised";
    EXPECT_EQ(line0[0]["duration"], 1000);
    EXPECT_EQ(line0[0]["color"], "#FF0000");
    EXPECT_EQ(line0[1]["duration"], 0);
    EXPECT_EQ(line0[1]["brightness"], 100);
    EXPECT_TRUE(j["lines"][4][0]["color"].is_null());

    // The exported JSON imports back to the same file.
    WriteText("again.json", text);
    ASSERT_EQ(Cli("import again.json again.PRJ"), 0) << Stderr();
    EXPECT_EQ(ReadBytes(dir / "again.PRJ"), ReadBytes(dir / "out.PRJ"));
}

TEST_F(CliTest, ImportRefusesBadInputNamingThePlace)
{
    const std::pair<std::string, std::string> cases[] = {
        {"{", "invalid JSON"},
        {"[]", "/: expected an object"},
        {R"({"lines": [[],[],[]]})", "/lines"},
        {R"({"lines": [[],[],[],[],[],[],[],[{"time": 1.5, "color": null}]]})", "/lines/7/0/time"},
        {R"({"lines": [[],[],[],[],[],[],[],[{"time": 2147483648, "color": null}]]})", "outside 32 bits"},
        {R"({"lines": [[{"time": 1, "color": "#12345"}],[],[],[],[],[],[],[]]})", "/lines/0/0/color"},
        {R"({"lines": [[{"time": 1, "color": "#123456", "brightness": 256}],[],[],[],[],[],[],[]]})",
         "/lines/0/0/brightness"},
        {R"({"title": ")" + std::string(128, 'x') + R"("})", "/title"},
        {R"({"soundFile": ")" + std::string(260, 'x') + R"("})", "/soundFile"},
        // A file name that is not UTF-8 cannot reach a show's UTF-16 field through JSON.
        {"{\"soundFile\": \"/music/\x83\x5E.wav\"}", "ill-formed UTF-8"},
        {R"({"soundFile": "/music/\udc83.wav"})", "surrogate"},
        {R"({"patch": [1, 2]})", "/patch"},
        {R"({"prePlayTime": "10"})", "/prePlayTime"},
    };
    for (const auto& [json, place] : cases) {
        WriteText("bad.json", json);
        EXPECT_EQ(Cli("import bad.json bad.PRJ"), 1) << json;
        EXPECT_NE(Stderr().find(place), std::string::npos) << json << " -> " << Stderr();
        EXPECT_TRUE(ReadBytes(dir / "bad.PRJ").empty()) << "no file written";
    }
    // At the limits is fine.
    WriteText("ok.json", R"({"title": ")" + std::string(127, 'x') + R"(", "patch": [)" +
                             [] {
                                 std::string s = "-2147483648";
                                 for (int i = 1; i < 512; ++i)
                                     s += ",2147483647";
                                 return s;
                             }() + "]}");
    EXPECT_EQ(Cli("import ok.json ok.PRJ"), 0) << Stderr();
    std::string text;
    ASSERT_EQ(Cli("export ok.PRJ", &text), 0);
    EXPECT_EQ(ordered_json::parse(text)["patch"][0], -2147483648LL);
}

TEST_F(CliTest, EvalGivesOutputColoursAndTheFrame)
{
    WriteText("show.json", R"({"lines": [
        [{"time": 1000, "color": "#FF0000"}, {"time": 2000, "color": "#0000FF", "brightness": 100}],
        [], [], [], [], [], [],
        [{"time": -100, "color": "#102030", "brightness": -255}]]})");
    ASSERT_EQ(Cli("import show.json show.PRJ"), 0) << Stderr();
    std::string text;
    ASSERT_EQ(Cli("eval show.PRJ 1500 -2000", &text), 0) << Stderr();
    std::istringstream lines(text);
    std::string first, second;
    std::getline(lines, first);
    std::getline(lines, second);
    const ordered_json a = ordered_json::parse(first);
    EXPECT_EQ(a["time"], 1500);
    EXPECT_EQ(a["lines"][0], "#983298");
    EXPECT_EQ(a["lines"][1], "#000000");
    EXPECT_EQ(a["lines"][7], "#000000");
    EXPECT_EQ(a["dmx"].size(), 512u);
    EXPECT_EQ(a["dmx"][0], 0x98);
    EXPECT_EQ(a["dmx"][1], 0x32);
    EXPECT_EQ(a["dmx"][2], 0x98);
    const ordered_json b = ordered_json::parse(second);
    EXPECT_EQ(b["time"], -2000);
    EXPECT_EQ(b["lines"][0], "#000000");
}

TEST_F(CliTest, WrongArgumentsAndUnreadableFiles)
{
    const std::pair<std::string, int> cases[] = {
        {"", 2},
        {"frobnicate", 2},
        {"export", 2},
        {"export a b", 2},
        {"import one.json", 2},
        {"eval show.PRJ", 2},
        {"eval show.PRJ 12x", 2},
        {"eval show.PRJ 99999999999", 2},
        {"export missing.PRJ", 1},
        {"eval missing.PRJ 0", 1},
        {"import missing.json out.PRJ", 1},
    };
    for (const auto& [args, status] : cases) {
        EXPECT_EQ(Cli(args), status) << args;
        if (status == 2) {
            EXPECT_NE(Stderr().find("usage"), std::string::npos) << args;
        }
    }
    WriteText("short.PRJ", "1234");
    EXPECT_EQ(Cli("export short.PRJ"), 1);
}

TEST_F(CliTest, VersionAndHelpGoToStandardOutput)
{
    std::string out;
    EXPECT_EQ(Cli("--version", &out), 0);
    EXPECT_EQ(out, std::string("lumenrill-cli ") + ProgramVersion + "\n");
    EXPECT_EQ(Stderr(), "");

    EXPECT_EQ(Cli("--help", &out), 0);
    EXPECT_EQ(Stderr(), "");
    std::vector<std::string> lines;
    for (size_t at = 0, end; (end = out.find('\n', at)) != std::string::npos; at = end + 1)
        lines.push_back(out.substr(at, end - at));
    ASSERT_EQ(lines.size(), 8u) << out;
    const char* commands[] = {"export", "import", "eval", "nodes", "play", "summary", "soundinfo"};
    for (size_t i = 0; i < 7; ++i) {
        EXPECT_TRUE(lines[i + 1].starts_with(std::string("  ") + commands[i] + " ")) << lines[i + 1];
        EXPECT_NE(lines[i + 1].find(": "), std::string::npos) << "says what it does: " << lines[i + 1];
    }

    // Anything else is still a usage error.
    for (const char* args : {"--help extra", "--version 2", "-h", "--Help", "help"}) {
        EXPECT_EQ(Cli(args, &out), 2) << args;
        EXPECT_EQ(out, "") << args;
        EXPECT_NE(Stderr().find("usage:"), std::string::npos) << args;
    }
}
