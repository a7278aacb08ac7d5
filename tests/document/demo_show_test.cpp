// The demo show is opened from the user's copy: made from the installed files, pointed at its
// own sound, and never replaced once the user has it.
#include "common/paths.h"
#include "common/text_codec.h"
#include "document/demo_show.h"
#include "document/play_globals.h"
#include "document/project_data.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

class DemoShowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetExeDir(dir.Path() + "/bin/");
        std::filesystem::create_directories(installed);
        WriteBytes(installed + "/demo.wav", Bytes(64, 7));
        PlayGlobals play;
        ProjectData doc(play);
        doc.Title = u"Demo";
        doc.SoundFile = u"demo.wav"; // a bare name, as the build stores it
        doc.AddStep(0x0000FF, 0, 0, 0, false);
        doc.FileName = installed + "/Demo.PRJ";
        ASSERT_TRUE(doc.SaveProject(false));
        installedBytes = Read(installed + "/Demo.PRJ");
    }

    static std::string Read(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static std::string SoundOf(const std::string& show)
    {
        PlayGlobals play;
        ProjectData doc(play);
        EXPECT_NE(doc.LoadProject(show), 0);
        return Utf16ToUtf8(doc.SoundFile);
    }

    TempDir dir;
    std::string installed = dir.Path() + "/share/lumenrill/demo";
    std::string copies = dir.Path() + "/data/lumenrill/demo";
    std::string installedBytes;
};

TEST_F(DemoShowTest, TheCopyHearsItsOwnSoundAndTheInstalledShowIsUntouched)
{
    const DemoCopy copy = CopyDemoShow(installed + "/Demo.PRJ", copies);
    ASSERT_EQ(copy.Error, "");
    EXPECT_EQ(copy.Show, copies + "/Demo.PRJ");
    EXPECT_EQ(SoundOf(copy.Show), copies + "/demo.wav");
    EXPECT_EQ(Read(copies + "/demo.wav"), std::string(64, 7));
    EXPECT_EQ(Read(installed + "/Demo.PRJ"), installedBytes);
}

TEST_F(DemoShowTest, TheUsersCopyIsKeptAndAHalfMadeOneMended)
{
    ASSERT_EQ(CopyDemoShow(installed + "/Demo.PRJ", copies).Error, "");
    {
        PlayGlobals play;
        ProjectData doc(play);
        ASSERT_NE(doc.LoadProject(copies + "/Demo.PRJ"), 0);
        doc.Title = u"Mine now";
        ASSERT_TRUE(doc.SaveProject(false));
    }
    std::filesystem::remove(copies + "/demo.wav");
    ASSERT_EQ(CopyDemoShow(installed + "/Demo.PRJ", copies).Error, "");
    PlayGlobals play;
    ProjectData doc(play);
    ASSERT_NE(doc.LoadProject(copies + "/Demo.PRJ"), 0);
    EXPECT_EQ(doc.Title, u"Mine now") << "the user's edits are never copied over";
    EXPECT_TRUE(IsFile(copies + "/demo.wav")) << "a missing sound is copied again";

    // A copy left with the installed show's bare sound name is pointed at its sound again.
    std::filesystem::copy_file(installed + "/Demo.PRJ", copies + "/Demo.PRJ",
                               std::filesystem::copy_options::overwrite_existing);
    ASSERT_EQ(CopyDemoShow(installed + "/Demo.PRJ", copies).Error, "");
    EXPECT_EQ(SoundOf(copies + "/Demo.PRJ"), copies + "/demo.wav");
}

TEST_F(DemoShowTest, WithoutAnInstalledDemoNothingIsCopiedAndItSaysWhy)
{
    for (const std::string& missing : {std::string(), dir.Path() + "/nowhere/Demo.PRJ"}) {
        const DemoCopy copy = CopyDemoShow(missing, copies);
        EXPECT_EQ(copy.Show, "");
        EXPECT_EQ(copy.Error, "デモショーがインストールされていません");
    }
    EXPECT_FALSE(std::filesystem::exists(copies));
}

} // namespace
