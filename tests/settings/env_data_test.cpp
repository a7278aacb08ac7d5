#include "settings/env_data.h"
#include "common/output_volume.h"
#include "settings_fixture.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

namespace {

// Decodes files whose content is "img" into a 2 x 1 image; a file with "bad" decodes
// to a size its pixels do not fill; anything else fails.
class FakeLoader final : public PaletteImageLoader {
public:
    std::vector<std::string> paths;
    bool Load(const std::string& path, PaletteBitmap& image) override
    {
        paths.push_back(path);
        Bytes b = ReadBytes(path);
        std::string content(b.begin(), b.end());
        if (content == "img") {
            image = {2, 1, {0xFFFF0000u, 0xFF00FF00u}};
            return true;
        }
        if (content == "bad") {
            image = {4, 4, {0xFF000000u}};
            return true;
        }
        return false;
    }
};

class EnvDataTest : public SettingsTest {
protected:
    void SetUp() override { WriteWaveOutVolume(40000); }
    void TearDown() override { WriteWaveOutVolume(65535); }

    void Put(const std::string& name, const std::string& content)
    {
        WriteBytes(dir_ / name, Bytes(content.begin(), content.end()));
    }
    FakeLoader loader_;
};

} // namespace

TEST(SettingsFilePath, IsLumenrillIniInTheExecutableFolder)
{
    EXPECT_EQ(SettingsFilePath("/opt/lumenrill/"), "/opt/lumenrill/lumenrill.INI");
    EXPECT_EQ(SettingsFilePath("/opt/lumenrill"), "/opt/lumenrill/lumenrill.INI");
}

TEST_F(EnvDataTest, WithoutASettingsFileEveryFieldHasItsDefault)
{
    IniFile ini(IniPath());
    EnvData env(ini, play_, dir_.Path(), &loader_);
    EXPECT_EQ(env.ExeDir, ExeDirPath());
    EXPECT_EQ(env.PrjFile, "");
    EXPECT_EQ(env.LwavFg, 12632256u);
    EXPECT_EQ(env.LwavBg, 0u);
    EXPECT_EQ(env.RwavFg, 12632256u);
    EXPECT_EQ(env.RwavBg, 0u);
    EXPECT_EQ(env.BlankBg, 8388608u);
    EXPECT_EQ(env.TLinFg, 0u);
    EXPECT_EQ(env.TLinBg, 16777215u);
    EXPECT_EQ(env.CLinBg, 0u);
    EXPECT_FALSE(env.FlatToolBar);
    EXPECT_FALSE(env.DispTracking);
    EXPECT_TRUE(env.MonClickTab);
    EXPECT_TRUE(env.UseWheel);
    EXPECT_TRUE(env.CurActivate);
    EXPECT_FALSE(env.MonScaled);
    EXPECT_FALSE(env.Repeat);
    EXPECT_EQ(env.StartVolume, 40000u);
    EXPECT_EQ(env.Volume, 65535u);
    EXPECT_EQ(ReadWaveOutVolume(), 65535) << "the stored (default) volume is applied";
    EXPECT_EQ(env.CheckGroup, -1);
    EXPECT_FALSE(env.AutoSave);
    EXPECT_EQ(env.SaveInterval, 10);
    EXPECT_EQ(env.AutoSaveIntervalMs(), std::nullopt);
    EXPECT_EQ(env.History.Count(), 0);
    EXPECT_TRUE(env.PaletteImage.Empty());
    EXPECT_EQ(env.ImgFile, ExeDirPath() + "PALETTE.BMP");
    EXPECT_EQ(env.DispSize, 320u);
    EXPECT_TRUE(loader_.paths.empty()) << "a missing image file is not decoded";
    EXPECT_FALSE(std::filesystem::exists(IniPath())) << "reading writes nothing";
}

TEST_F(EnvDataTest, ReadsEveryKeyAndWritesThemBackInOrder)
{
    const std::string project = Touch("show.PRJ");
    const std::string older = Touch("older.PRJ");
    IniFile ini = WriteIni("[General]\nFlatToolBar=1\nDispTracking=2\nMonClickTab=0\nUseWheel=0\n"
                           "CurActivate=0\nMonScaled=1\nAutoSave=1\nSaveInterval=0x1E\n"
                           "[Project]\nPrjFile=" + project + "\n"
                           "[Color]\nLwavFg=1\nLwavBg=2\nRwavFg=3\nRwavBg=4\nBlankBg=5\nTLinFg=6\nTLinBg=7\n"
                           "CLinBg=0xFF\n"
                           "[Palette]\nImgFile=mine.png\nDispSize=400\n"
                           "[Play]\nRepeat=1\nVolume=1000\n"
                           "[PrjHistory]\nFile0=" + project + "\nFile1=" + older + "\n");
    {
        EnvData env(ini, play_, ExeDirPath(), &loader_);
        EXPECT_TRUE(env.FlatToolBar);
        EXPECT_TRUE(env.DispTracking);
        EXPECT_FALSE(env.MonClickTab);
        EXPECT_FALSE(env.UseWheel);
        EXPECT_FALSE(env.CurActivate);
        EXPECT_TRUE(env.MonScaled);
        EXPECT_TRUE(env.AutoSave);
        EXPECT_EQ(env.SaveInterval, 30);
        EXPECT_EQ(env.AutoSaveIntervalMs(), 1800000);
        EXPECT_EQ(env.PrjFile, project);
        EXPECT_EQ(env.LwavFg, 1u);
        EXPECT_EQ(env.TLinBg, 7u);
        EXPECT_EQ(env.CLinBg, 255u);
        EXPECT_EQ(env.ImgFile, "mine.png");
        EXPECT_EQ(env.DispSize, 400u);
        EXPECT_TRUE(env.Repeat);
        EXPECT_EQ(env.Volume, 1000u);
        EXPECT_EQ(ReadWaveOutVolume(), 1000);
        EXPECT_EQ(env.History.Get(1), older);

        env.CheckGroup = 3;
        WriteWaveOutVolume(2000); // changed by the user while running
        ASSERT_TRUE(env.Save());
        EXPECT_EQ(env.Volume, 2000u);
    }
    EXPECT_EQ(ReadWaveOutVolume(), 40000) << "the volume found at start is restored";

    std::string expected = "[General]\nFlatToolBar=1\nDispTracking=1\nMonClickTab=0\nUseWheel=0\n"
                           "CurActivate=0\nMonScaled=1\nAutoSave=1\nSaveInterval=30\n"
                           "\n[Project]\nPrjFile=" + project + "\n"
                           "\n[Color]\nLwavFg=1\nLwavBg=2\nRwavFg=3\nRwavBg=4\nBlankBg=5\nTLinFg=6\nTLinBg=7\n"
                           "CLinBg=255\n"
                           "\n[Palette]\nImgFile=mine.png\nDispSize=400\n"
                           "\n[Play]\nRepeat=1\nVolume=2000\n"
                           "\n[PrjHistory]\nFile0=" + project + "\nFile1=" + older + "\n";
    for (int i = 2; i < 20; ++i)
        expected += "File" + std::to_string(i) + "=\n";
    EXPECT_EQ(IniText(), expected) << "CheckGroup is never stored";
}

TEST_F(EnvDataTest, AFreshFileGetsTheSectionsInTheirOrder)
{
    IniFile ini(IniPath());
    {
        EnvData env(ini, play_, ExeDirPath(), &loader_);
        ASSERT_TRUE(env.Save());
    }
    IniFile back(IniPath());
    std::string text = IniText();
    size_t at = 0;
    for (const char* section : {"[General]", "[Project]", "[Color]", "[Palette]", "[Play]", "[PrjHistory]"}) {
        size_t found = text.find(section, at);
        ASSERT_NE(found, std::string::npos) << section;
        at = found;
    }
    EXPECT_EQ(back.ReadString("Palette", "ImgFile", ""), ExeDirPath() + "PALETTE.BMP");
    EXPECT_EQ(back.ReadInteger("Play", "Volume", 0), 65535);
    EXPECT_EQ(back.ReadString("PrjHistory", "File19", "x"), "");
}

TEST_F(EnvDataTest, StoredValuesOutsideTheirRangeAreHeldToIt)
{
    struct Case {
        const char* text;
        uint32_t volume;
    } cases[] = {
        {"[Play]\nVolume=70000\n", 65535},
        {"[Play]\nVolume=-1\n", 0},
        {"[Play]\nVolume=0\n", 0},
        {"[Play]\nVolume=loud\n", 65535},
    };
    for (const Case& c : cases) {
        IniFile ini = WriteIni(c.text);
        EnvData env(ini, play_, ExeDirPath());
        EXPECT_EQ(env.Volume, c.volume) << c.text;
        EXPECT_EQ(ReadWaveOutVolume(), c.volume) << c.text;
    }
}

// An interval of 0 minutes or below turns automatic saving off and stays in the file as
// written; the longest one is beyond 32 bits in ms.
TEST_F(EnvDataTest, SaveIntervalIsKeptAsStoredAndZeroOrBelowIsOff)
{
    struct Case {
        const char* stored;
        int32_t interval;
        std::optional<int64_t> ms;
        const char* written;
    } cases[] = {
        {"0", 0, std::nullopt, "0"},
        {"-5", -5, std::nullopt, "-5"},
        {"1", 1, 60000, "1"},
        {"x", 10, 600000, "10"},
        {"2147483647", INT32_MAX, int64_t(INT32_MAX) * 60000, "2147483647"},
    };
    for (const Case& c : cases) {
        IniFile ini = WriteIni(std::string("[General]\nAutoSave=1\nSaveInterval=") + c.stored + "\n");
        EnvData env(ini, play_, ExeDirPath());
        EXPECT_EQ(env.SaveInterval, c.interval) << c.stored;
        EXPECT_EQ(env.AutoSaveIntervalMs(), c.ms) << c.stored;
        env.AutoSave = false;
        EXPECT_EQ(env.AutoSaveIntervalMs(), std::nullopt) << c.stored;
        ASSERT_TRUE(env.Save());
        EXPECT_EQ(IniFile(IniPath()).ReadString("General", "SaveInterval", ""), c.written) << c.stored;
    }
}

TEST_F(EnvDataTest, PaletteImageComesFromTheExecutableFolderOrAFullPath)
{
    std::filesystem::create_directory(dir_ / "elsewhere");
    Put("PALETTE.BMP", "img");
    Put("elsewhere/full.png", "img");
    Put("broken.png", "not an image");
    Put("short.png", "bad");
    IniFile ini(IniPath());
    EnvData env(ini, play_, ExeDirPath(), &loader_);
    ASSERT_EQ(loader_.paths, std::vector<std::string>{ExeDirPath() + "PALETTE.BMP"}) << "the default image";
    EXPECT_EQ(env.PaletteImage.Width, 2);
    EXPECT_EQ(env.PaletteImage.Pixels.size(), 2u);

    struct Case {
        std::string name;
        bool loaded;
    } cases[] = {
        {"PALETTE.BMP", true},
        {dir_ / "elsewhere/full.png", true},
        {"elsewhere\\full.png", true}, // written on Windows
        {"missing.png", false},
        {"broken.png", false},
        {"short.png", false},
        {"elsewhere", false}, // a folder
        {"", false},
    };
    for (const Case& c : cases) {
        env.LoadPalette("PALETTE.BMP");
        EXPECT_EQ(env.LoadPalette(c.name), c.loaded) << c.name;
        EXPECT_EQ(env.PaletteImage.Empty(), !c.loaded) << c.name << ": a failed load leaves it empty";
    }
    EXPECT_NE(std::find(loader_.paths.begin(), loader_.paths.end(), ExeDirPath() + "short.png"), loader_.paths.end())
        << "a relative name is taken from the executable folder";

    IniFile other(dir_ / "other.INI");
    EnvData headless(other, play_, ExeDirPath(), nullptr);
    EXPECT_FALSE(headless.LoadPalette("PALETTE.BMP")) << "no decoder, no image";
}

TEST_F(EnvDataTest, AnImageInTheExecutableFolderIsStoredByItsName)
{
    IniFile ini(IniPath());
    EnvData env(ini, play_, ExeDirPath());
    EXPECT_EQ(env.ImgFileSetting(ExeDirPath() + "pal.png"), "pal.png");
    EXPECT_EQ(env.ImgFileSetting(ExeDirPath() + "sub/pal.png"), ExeDirPath() + "sub/pal.png");
    EXPECT_EQ(env.ImgFileSetting("/elsewhere/pal.png"), "/elsewhere/pal.png");
    // Folders are compared exactly: a folder that differs in letter case is another one.
    std::string upper = ExeDirPath();
    for (char& ch : upper)
        ch = char(std::toupper(static_cast<unsigned char>(ch)));
    if (upper != ExeDirPath()) {
        EXPECT_EQ(env.ImgFileSetting(upper + "pal.png"), upper + "pal.png");
    }
}

// Under ThreadSanitizer (scripts/test runs it there) a plain field here is a data race.
TEST_F(EnvDataTest, TheTickReadsRepeatAndCheckGroupWhileTheUserChangesThem)
{
    IniFile ini(IniPath());
    EnvData env(ini, play_, ExeDirPath());
    std::atomic<bool> stop{false};
    std::atomic<int> seen{0};
    std::thread tick([&] {
        while (!stop.load()) {
            if (env.Repeat || env.CheckGroup >= 0)
                seen.fetch_add(1);
        }
    });
    for (int i = 0; i < 20000; ++i) {
        env.Repeat = i % 2 == 0;
        env.CheckGroup = i % 3 - 1;
    }
    stop = true;
    tick.join();
}

// A portable copy beside the executable wins; otherwise the user's configuration folder,
// made when missing so that the first close can write the file there.
TEST_F(EnvDataTest, SettingsLiveBesideTheProgramOnlyAsAPortableCopy)
{
    const std::string config = dir_ / "config";
    EXPECT_EQ(ChooseSettingsPath(ExeDirPath(), config), config + "/lumenrill/lumenrill.INI");
    EXPECT_TRUE(std::filesystem::is_directory(config + "/lumenrill"));
    Touch("lumenrill.INI");
    EXPECT_EQ(ChooseSettingsPath(ExeDirPath(), config), ExeDirPath() + "lumenrill.INI");
}
