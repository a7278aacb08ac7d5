// Saves never leave a half-written file: killed at any moment, the file is the old one or
// the new one. A save that cannot be written (read-only folder, full disk) reports the
// system's reason, keeps the old file and leaves the show marked as changed.
#include "document/project_data.h"
#include "settings/env_data.h"
#include "settings/ini_file.h"
#include "sound/wav_sound.h"
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
    // The next save removes the temporary files that the killed ones left.
    save(0);
    const std::filesystem::path file(path);
    const std::string leftover = file.filename().string() + ".~";
    for (const auto& entry : std::filesystem::directory_iterator(file.parent_path()))
        EXPECT_FALSE(entry.path().filename().string().starts_with(leftover)) << entry.path();
}

// The waveform file of `records` frames whose values depend on round.
Bytes SummaryRecords(int round, int records)
{
    Bytes b(size_t(records) * 16);
    for (int i = 0; i < records; ++i)
        for (int f = 0; f < 4; ++f)
            PutI32(b, size_t(i) * 16 + size_t(f) * 4, (f % 2 ? -1 : 1) * (i * 3 + f + round) % 32768);
    return b;
}

// Settings whose file content depends on round, with a long project path to make the
// write take a while.
void MakeSettings(EnvData& env, int round)
{
    env.PrjFile = "/shows/" + std::string(size_t(20000 + round * 5000), char('a' + round)) + ".PRJ";
    env.SaveInterval = 5 + round;
    env.Repeat = round % 2 == 1;
    env.ImgFile = "palette" + std::to_string(round) + ".png";
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

TEST_F(CrashSafetyTest, WaveformAndSettingsSavesSurviveAKill)
{
    // One summary per round, loaded beforehand so that the child only saves.
    WavSound sounds[4];
    for (int round = 0; round < 4; ++round) {
        WriteBytes(dir / "in.wfm", SummaryRecords(round, 20000 + round * 7000));
        ASSERT_GT(sounds[round].LoadSummary(dir / "in.wfm"), 0);
    }
    KillDuringSaves(dir / "show.wfm", [&](int round) {
        if (!sounds[round].SaveSummary(dir / "show.wfm"))
            _exit(3);
    });

    IniFile ini(dir / "lumenrill.INI");
    EnvData env(ini, Globals(), dir.Path());
    KillDuringSaves(ini.FileName(), [&](int round) {
        MakeSettings(env, round);
        if (!env.Save())
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
        SKIP_FOR_ENVIRONMENT("needs root for a mount namespace");
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

// Returns 0 when the save failed with the reason and left the old file alone, else the step
// that went wrong (base + 1 to base + 3).
int KeptOldFile(const std::string& path, const Bytes& old, const WriteResult& r, const std::string& reason, int base)
{
    if (r.ok)
        return base + 1;
    if (r.error != reason)
        return base + 2;
    return ReadBytes(path) == old ? 0 : base + 3;
}

TEST_F(CrashSafetyTest, WaveformAndSettingsKeepTheOldFileOnAFullDiskOrReadOnlyFolder)
{
    if (geteuid() != 0)
        SKIP_FOR_ENVIRONMENT("needs root for a mount namespace");
    const std::string folder = dir / "mnt";
    std::filesystem::create_directory(folder);
    const std::string wfm = folder + "/show.wfm";
    WavSound small, large;
    WriteBytes(dir / "small.wfm", SummaryRecords(0, 100));
    WriteBytes(dir / "large.wfm", SummaryRecords(1, 10000)); // 160 KB
    ASSERT_EQ(small.LoadSummary(dir / "small.wfm"), 100);
    ASSERT_EQ(large.LoadSummary(dir / "large.wfm"), 10000);

    // A 64 KiB disk: the old files fit, the new ones do not.
    int status = InMountNamespace(folder, "size=64k", [&] {
        if (!small.SaveSummary(wfm))
            return 10;
        const Bytes oldWfm = ReadBytes(wfm);
        if (int step = KeptOldFile(wfm, oldWfm, large.SaveSummary(wfm), "No space left on device", 10))
            return step;

        IniFile ini(folder + "/lumenrill.INI");
        EnvData env(ini, Globals(), folder);
        if (!env.Save())
            return 20;
        const Bytes oldIni = ReadBytes(ini.FileName());
        env.PrjFile = std::string(100000, 'p');
        if (int step = KeptOldFile(ini.FileName(), oldIni, env.Save(), "No space left on device", 20))
            return step;
        return std::distance(std::filesystem::directory_iterator(folder), {}) == 2 ? 0 : 30;
    });
    EXPECT_EQ(status, 0) << "full disk";

    status = InMountNamespace(folder, "size=1m", [&] {
        IniFile ini(folder + "/lumenrill.INI");
        EnvData env(ini, Globals(), folder);
        if (!small.SaveSummary(wfm) || !env.Save())
            return 40;
        const Bytes oldWfm = ReadBytes(wfm);
        const Bytes oldIni = ReadBytes(ini.FileName());
        if (mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0)
            return 41;
        if (int step = KeptOldFile(wfm, oldWfm, large.SaveSummary(wfm), "Read-only file system", 50))
            return step;
        env.Repeat = true;
        return KeptOldFile(ini.FileName(), oldIni, ini.UpdateFile(), "Read-only file system", 60);
    });
    EXPECT_EQ(status, 0) << "read-only folder";
}

// A file reached through a link in another file system is written in its own folder, and
// the link stays; a failure there names the file.
TEST_F(CrashSafetyTest, ALinkIntoAnotherFileSystemIsSavedThroughAndKept)
{
    if (geteuid() != 0)
        SKIP_FOR_ENVIRONMENT("needs root for a mount namespace");
    const std::string folder = dir / "mnt";
    std::filesystem::create_directory(folder);
    const std::string link = dir / "show.PRJ", iniLink = dir / "lumenrill.INI";
    std::filesystem::create_symlink(folder + "/show.PRJ", link);
    std::filesystem::create_symlink(folder + "/lumenrill.INI", iniLink);

    const int status = InMountNamespace(folder, "size=1m", [&] {
        doc.FileName = link;
        MakeShow(doc, 1);
        if (!doc.SaveProject(false) || ReadBytes(folder + "/show.PRJ").empty())
            return 10;
        IniFile ini(iniLink);
        EnvData env(ini, Globals(), folder);
        if (!env.Save() || IniFile(folder + "/lumenrill.INI").ReadInteger("General", "SaveInterval", 0) != 10)
            return 11;
        if (!std::filesystem::is_symlink(link) || !std::filesystem::is_symlink(iniLink))
            return 12;

        const Bytes old = ReadBytes(folder + "/show.PRJ");
        if (mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0)
            return 20;
        doc.Modified = true;
        if (int step = KeptOldFile(link, old, doc.SaveProject(false), folder + "/show.PRJ: Read-only file system", 20))
            return step;
        return std::filesystem::is_symlink(link) ? 0 : 30;
    });
    EXPECT_EQ(status, 0);
}

} // namespace
