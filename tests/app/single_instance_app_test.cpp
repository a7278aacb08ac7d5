// The desktop program runs once per user: a second start ends at once with status -1.
#include "support/test_support.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

pid_t Start(const std::string& runtimeDir)
{
    pid_t pid = fork();
    if (pid == 0) {
        setenv("XDG_RUNTIME_DIR", runtimeDir.c_str(), 1);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        execl(LUMENRILL_APP, LUMENRILL_APP, nullptr);
        _exit(127);
    }
    return pid;
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
