// The desktop program's command line, run as a user would: help and the version answer on
// standard output with no display and while another instance runs, anything else that starts
// with a dash is a usage error (status 2), and the one argument left is the show to open.
#include "common/single_instance.h"
#include "common/version.h"
#include "support/test_support.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sys/file.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

std::string TextOf(const std::string& path)
{
    std::ifstream in(path);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool LockIsHeld(const std::string& path)
{
    const int fd = open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool held = flock(fd, LOCK_EX | LOCK_NB) != 0;
    close(fd);
    return held;
}

// Another instance holds the lock throughout: a start that got as far as the lock would end
// with 255, one that tried to open a window would fail for want of a display.
class CommandLineTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(running_.Acquire()); }

    // args: shell words.
    int Run(const std::string& args, std::string* out, const std::string& env = {})
    {
        return RunCommand("cd '" + dir_.Path() + "' && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR='" +
                              dir_.Path() + "' XDG_CONFIG_HOME='" + dir_.Path() + "' " + env + " '" LUMENRILL_APP "' " + args +
                              " 2>stderr.txt",
                          out);
    }
    std::string Stderr() const { return TextOf(dir_ / "stderr.txt"); }

    TempDir dir_;
    SingleInstanceLock running_{dir_.Path()};
};

TEST_F(CommandLineTest, HelpAnswersOnStandardOutput)
{
    for (const char* option : {"--help", "-h"}) {
        std::string out;
        EXPECT_EQ(Run(option, &out), 0) << option;
        EXPECT_NE(out.find("[SHOW.PRJ]"), std::string::npos) << out;
        EXPECT_NE(out.find("--version"), std::string::npos) << out;
        EXPECT_EQ(Stderr(), "") << option;
    }
}

TEST_F(CommandLineTest, VersionIsTheOneTheCliPrints)
{
    std::string out, cli;
    EXPECT_EQ(Run("--version", &out), 0);
    EXPECT_EQ(out, std::string("lumenrill ") + ProgramVersion + "\n");
    EXPECT_EQ(Stderr(), "");
    ASSERT_EQ(RunCommand("'" + CliPath() + "' --version", &cli), 0);
    EXPECT_EQ(cli, std::string("lumenrill-cli ") + ProgramVersion + "\n");
}

TEST_F(CommandLineTest, AnUnknownOptionOrASecondShowIsAUsageError)
{
    const std::pair<const char*, const char*> cases[] = {
        {"--bogus", "Unknown option 'bogus'"},
        {"-x show.PRJ", "Unknown option 'x'"},
        {"a.PRJ b.PRJ", "Only one show"},
        {"--help --bogus", "Unknown option 'bogus'"},
    };
    for (const auto& [args, error] : cases) {
        std::string out;
        EXPECT_EQ(Run(args, &out), 2) << args;
        EXPECT_EQ(out, "") << args;
        const std::string err = Stderr();
        EXPECT_NE(err.find(error), std::string::npos) << args << ": " << err;
        EXPECT_NE(err.find("[SHOW.PRJ]"), std::string::npos) << args << ": " << err;
    }
}

// The demo show cannot be copied (the data folder cannot be made): said in the language
// the settings choose, with the folder, and the start ends with status 1.
TEST_F(CommandLineTest, ADemoThatCannotBeCopiedIsSaidInTheChosenLanguage)
{
    std::filesystem::create_directories(dir_ / "lumenrill");
    const std::pair<const char*, const char*> cases[] = {{"en", "Cannot copy the demo show to"},
                                                         {"ja", "デモショーをコピーできません"}};
    for (const auto& [language, said] : cases) {
        std::ofstream(dir_ / "lumenrill/lumenrill.INI") << "[Option]\nLanguage=" << language << "\n";
        std::ofstream(dir_ / "blocked") << "a file where a folder should be";
        std::string out;
        EXPECT_EQ(Run("--demo", &out, "XDG_DATA_HOME='" + dir_.Path() + "/blocked'"), 1) << language;
        EXPECT_NE(Stderr().find(said), std::string::npos) << language << ": " << Stderr();
        EXPECT_NE(Stderr().find(dir_ / "blocked"), std::string::npos) << Stderr();
    }
}

TEST(CommandLine, TheArgumentLeftIsTheShowToOpenEvenWithADash)
{
    TempDir dir;
    std::ofstream(dir / "show.json") << R"({"title": "Dashed", "lines": [[],[],[],[],[],[],[],[]]})";
    ASSERT_EQ(RunCommand("cd '" + dir.Path() + "' && '" + CliPath() + "' import show.json ./-night.PRJ"), 0);

    const pid_t app = fork();
    if (app == 0) {
        if (chdir(dir.Path().c_str()) != 0)
            _exit(127);
        setenv("XDG_RUNTIME_DIR", dir.Path().c_str(), 1);
        setenv("XDG_CONFIG_HOME", dir.Path().c_str(), 1);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        execl(LUMENRILL_APP, LUMENRILL_APP, "--", "-night.PRJ", nullptr);
        _exit(127);
    }
    ASSERT_GT(app, 0);
    // Opened once start-up ends; the settings written at close name it as the project.
    for (int i = 0; i < 200 && !LockIsHeld(dir / "Lumenrill_is_running"); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::this_thread::sleep_for(std::chrono::seconds(2));
    kill(app, SIGTERM);
    int status = 0;
    ASSERT_EQ(waitpid(app, &status, 0), app);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    const std::string ini = TextOf(dir.Path() + "/lumenrill/lumenrill.INI");
    EXPECT_NE(ini.find("PrjFile=" + (dir / "-night.PRJ") + "\n"), std::string::npos) << ini;
}

} // namespace
