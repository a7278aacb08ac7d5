#include "common/paths.h"
#include "support/test_support.h"

#include <filesystem>
#include <gtest/gtest.h>

TEST(MatchExt, ComparesWholeExtensionsWithoutCase)
{
    EXPECT_TRUE(MatchExt(".wav", ".WAV.MP3"));
    EXPECT_TRUE(MatchExt("mp3", ".WAV.MP3"));
    EXPECT_TRUE(MatchExt(".Mp3", "WAV.MP3"));
    EXPECT_FALSE(MatchExt(".WA", ".WAV.MP3"));
    EXPECT_FALSE(MatchExt(".AV", ".WAV.MP3"));
    EXPECT_TRUE(MatchExt(".xyz", "*"));
    EXPECT_TRUE(MatchExt(".xyz", ".*"));
    EXPECT_FALSE(MatchExt("", ".WAV"));
    EXPECT_FALSE(MatchExt(".WAV", ""));
}

TEST(TextHelpers, PosNoCaseAndTextBefore)
{
    EXPECT_EQ(PosNoCase("abc", "xxABC"), 3u);
    EXPECT_EQ(PosNoCase("", "abc"), 0u);
    EXPECT_EQ(PosNoCase("q", "abc"), 0u);
    EXPECT_EQ(TextBefore("プロジェクトの設定(&S)...", "("), "プロジェクトの設定");
    EXPECT_EQ(TextBefore("no separator", "("), "no separator");
}

class PathsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = ExeDir();
        SetExeDir(dir_.Path());
    }
    void TearDown() override { SetExeDir(saved_); }
    TempDir dir_;
    std::string saved_;
};

TEST_F(PathsTest, ResolvePathPutsTheExecutableFolderBeforeRelativePaths)
{
    std::filesystem::create_directories(dir_ / "music");
    WriteBytes(dir_ / "music/a.wav", {1});

    std::string relative = "music\\a.wav"; // as stored by shows made on Windows
    EXPECT_TRUE(ResolvePath(relative));
    EXPECT_EQ(relative, dir_ / "music/a.wav");

    std::string absolute = dir_ / "music/a.wav";
    EXPECT_TRUE(ResolvePath(absolute));
    EXPECT_EQ(absolute, dir_ / "music/a.wav");

    std::string missing = "music/b.wav";
    EXPECT_FALSE(ResolvePath(missing));
    EXPECT_EQ(missing, dir_ / "music/b.wav");

    std::string folder = "music";
    EXPECT_FALSE(ResolvePath(folder));

    std::string empty;
    EXPECT_FALSE(ResolvePath(empty));
    EXPECT_EQ(empty, "");
}

TEST_F(PathsTest, DroppedFoldersAreSearchedAndDuplicatesAddedOnce)
{
    std::filesystem::create_directories(dir_ / "set/sub");
    WriteBytes(dir_ / "set/one.wav", {1});
    WriteBytes(dir_ / "set/sub/two.WAV", {1});
    WriteBytes(dir_ / "set/notes.txt", {1});
    WriteBytes(dir_ / "show.prj", {1});

    std::vector<std::string> list;
    GetDroppedFiles({dir_ / "set", dir_ / "show.prj", dir_ / "show.prj", dir_ / "set/notes.txt"}, list,
                    ".WAV;MP3;.PRJ");
    EXPECT_EQ(list, (std::vector<std::string>{dir_ / "set/one.wav", dir_ / "set/sub/two.WAV", dir_ / "show.prj"}));
}
