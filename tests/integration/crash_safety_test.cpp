// Saves never leave a half-written file: killed at any moment, the file is the old one or
// the new one. A save that cannot be written (read-only folder, full disk) reports the
// system's reason, keeps the old file and leaves the show marked as changed.
#include "document/project_data.h"
#include "support/test_support.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <sched.h>
#include <set>
#include <sys/mount.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

// A show whose file content depends on `round`.
void MakeShow(ProjectData& doc, int round)
{
    for (int l = 0; l < LineCount; ++l)
        doc.Lines[size_t(l)].clear();
    doc.CurrentLine = round % LineCount;
    for (int i = 0; i < 2000 + round * 500; ++i)
        doc.AddStep(uint32_t(i * 7 + round), 0, i * 10, 0, false);
    doc.SetSelection(1, true);
}

// Runs save(round) in a child for rounds 0, 1, 2, ... and kills it at random moments.
// After each kill the file must be exactly the content of one finished round.
void KillDuringSaves(const std::string& path, const std::function<void(int)>& save)
{
    std::set<Bytes> versions;
    for (int round = 0; round < 4; ++round) {
        save(round);
        versions.insert(ReadBytes(path));
    }
    std::mt19937 rng(42);
    for (int attempt = 0; attempt < 25; ++attempt) {
        const pid_t child = fork();
        if (child == 0) {
            for (int round = 0;; round = (round + 1) % 4)
                save(round);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(2000 + rng() % 30000));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_EQ(versions.count(ReadBytes(path)), 1u) << "attempt " << attempt << ": a mixed or cut file";
    }
}

class CrashSafetyTest : public ::testing::Test {
protected:
    TempDir dir;
    PlayGlobals play;
    ProjectData doc{play};
};

TEST_F(CrashSafetyTest, ProjectAndGroupSavesSurviveAKill)
{
    doc.FileName = dir / "show.PRJ";
    KillDuringSaves(doc.FileName, [&](int round) {
        MakeShow(doc, round);
        if (!doc.SaveProject(false))
            _exit(3);
    });
    KillDuringSaves(dir / "steps.GRP", [&](int round) {
        MakeShow(doc, round);
        if (!doc.SaveGroup(dir / "steps.GRP"))
            _exit(3);
    });
}

// Runs body in a child inside a mount namespace of its own where `folder` is a fresh
// tmpfs with the given mount options; the child's exit status is returned.
int InMountNamespace(const std::string& folder, const std::string& options, const std::function<int()>& body)
{
    const pid_t child = fork();
    if (child == 0) {
        if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            _exit(90);
        if (mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) != 0)
            _exit(91);
        _exit(body());
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 99;
}

TEST_F(CrashSafetyTest, FullDiskAndReadOnlyFolderKeepTheOldFile)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root for a mount namespace";
    const std::string folder = dir / "mnt";
    std::filesystem::create_directory(folder);

    // A 64 KiB disk holding an old show; the new one does not fit.
    int status = InMountNamespace(folder, "size=64k", [&] {
        const std::string path = folder + "/show.PRJ";
        doc.FileName = path;
        MakeShow(doc, 0);
        doc.Lines[0].resize(100);
        if (!doc.SaveProject(false))
            return 10;
        const Bytes old = ReadBytes(path);
        MakeShow(doc, 3);
        doc.Modified = true;
        WriteResult r = doc.SaveProject(false);
        if (r.ok)
            return 11;
        if (r.error != "No space left on device")
            return 12;
        if (ReadBytes(path) != old || !doc.Modified)
            return 13;
        return std::distance(std::filesystem::directory_iterator(folder), {}) == 1 ? 0 : 14;
    });
    EXPECT_EQ(status, 0) << "full disk";

    status = InMountNamespace(folder, "size=1m", [&] {
        const std::string path = folder + "/show.PRJ";
        doc.FileName = path;
        MakeShow(doc, 1);
        if (!doc.SaveProject(false))
            return 20;
        const Bytes old = ReadBytes(path);
        if (mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0)
            return 21;
        doc.Modified = true;
        WriteResult r = doc.SaveProject(false);
        if (r.ok || r.error != "Read-only file system")
            return 22;
        WriteResult g = doc.SaveGroup(folder + "/g.GRP");
        if (g.ok || g.error != "Read-only file system")
            return 23;
        return ReadBytes(path) == old && doc.Modified ? 0 : 24;
    });
    EXPECT_EQ(status, 0) << "read-only folder";
}

} // namespace
