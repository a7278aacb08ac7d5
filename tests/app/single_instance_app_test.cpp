// The desktop program runs once per user: a second start ends at once, with status -1, or,
// given a show, with 0 once the running program has taken the show over.
#include "support/test_support.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

// runtimeDir also holds the settings (the user's config folder).
pid_t Start(const std::string& runtimeDir, const char* show = nullptr)
{
    pid_t pid = fork();
    if (pid == 0) {
        setenv("XDG_RUNTIME_DIR", runtimeDir.c_str(), 1);
        setenv("XDG_CONFIG_HOME", runtimeDir.c_str(), 1);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        execl(LUMENRILL_APP, LUMENRILL_APP, show, nullptr);
        _exit(127);
    }
    return pid;
}

int ExitStatus(pid_t pid)
{
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

bool LockIsHeld(const std::string& path)
{
    int fd = open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool held = flock(fd, LOCK_EX | LOCK_NB) != 0;
    close(fd);
    return held;
}

void WaitForLock(const std::string& lock)
{
    for (int i = 0; i < 200 && !LockIsHeld(lock); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
}

} // namespace

TEST(App, SecondStartEndsWithMinusOneAndLeavesTheFirstRunning)
{
    TempDir runtime;
    const std::string lock = runtime / "Lumenrill_is_running";
    const pid_t first = Start(runtime.Path());
    ASSERT_GT(first, 0);
    for (int i = 0; i < 200 && !LockIsHeld(lock); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ASSERT_TRUE(LockIsHeld(lock)) << "the first instance took the lock";

    const pid_t second = Start(runtime.Path());
    int status = 0;
    ASSERT_EQ(waitpid(second, &status, 0), second);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 255);

    EXPECT_EQ(waitpid(first, &status, WNOHANG), 0) << "the first is still running";
    EXPECT_TRUE(LockIsHeld(lock));
    kill(first, SIGTERM);
    waitpid(first, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "SIGTERM closes the program in order";
    EXPECT_FALSE(LockIsHeld(lock)) << "the lock ends with the process";
}

TEST(App, ASecondStartWithAShowHandsItToTheRunningProgram)
{
    TempDir runtime;
    const std::string lock = runtime / "Lumenrill_is_running";
    std::ofstream(runtime / "show.json") << R"({"title": "Handed over", "lines": [[],[],[],[],[],[],[],[]]})";
    ASSERT_EQ(RunCommand("cd '" + runtime.Path() + "' && '" + CliPath() + "' import show.json show.PRJ"), 0);

    const pid_t first = Start(runtime.Path());
    ASSERT_GT(first, 0);
    WaitForLock(lock);
    ASSERT_TRUE(LockIsHeld(lock));
    // Given relative to the folder it was started in, as a file manager or shell would.
    ASSERT_EQ(chdir(runtime.Path().c_str()), 0);
    EXPECT_EQ(ExitStatus(Start(runtime.Path(), "show.PRJ")), 0);

    // The running program opened it: the settings it writes at close name it as the project.
    // (A show handed over during start-up opens when start-up ends; give it that long.)
    std::this_thread::sleep_for(std::chrono::seconds(2));
    kill(first, SIGTERM);
    EXPECT_EQ(ExitStatus(first), 0);
    std::ifstream ini(runtime.Path() + "/lumenrill/lumenrill.INI");
    const std::string text((std::istreambuf_iterator<char>(ini)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("PrjFile=" + (runtime / "show.PRJ")), std::string::npos) << text;
}
