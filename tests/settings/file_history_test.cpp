#include "settings/file_history.h"
#include "settings_fixture.h"

#include <gtest/gtest.h>

class FileHistoryTest : public SettingsTest {};

TEST_F(FileHistoryTest, LoadStopsAtTheFirstEmptyKeyAndDropsVanishedFiles)
{
    const std::string a = Touch("a.PRJ"), b = Touch("b.PRJ"), c = Touch("c.PRJ");
    IniFile ini = WriteIni("[PrjHistory]\nFile0=" + a + "\nFile1=\nFile2=" + b + "\n"
                           "[FileHistory]\nFile0=" + dir_ / "gone.PRJ" + "\nFile1=" + c + "\nFile2=" + dir_.Path() +
                           "\n");
    FileHistory h;
    h.Load(ini, "PrjHistory");
    EXPECT_EQ(h.Count(), 1);
    EXPECT_EQ(h.Get(0), a);

    h.Load(ini); // the section "FileHistory"; a folder is no project file
    EXPECT_EQ(h.Count(), 1);
    EXPECT_EQ(h.Get(0), c);

    h.Save(ini, "PrjHistory");
    ASSERT_TRUE(ini.UpdateFile());
    IniFile back(IniPath());
    EXPECT_EQ(back.ReadString("PrjHistory", "File0", ""), c);
    for (int i = 1; i < 20; ++i)
        EXPECT_EQ(back.ReadString("PrjHistory", "File" + std::to_string(i), "unset"), "") << i;
    EXPECT_EQ(back.ReadString("PrjHistory", "File20", "unset"), "unset");
}

TEST_F(FileHistoryTest, AddMovesAPathToTheFrontOnce)
{
    FileHistory h;
    for (const char* p : {"/s/a.PRJ", "/s/b.PRJ", "/s/c.PRJ"})
        h.Add(p);
    h.Add("/s/a.PRJ");
    EXPECT_EQ(h.Count(), 3);
    EXPECT_EQ(h.Get(0), "/s/a.PRJ");
    EXPECT_EQ(h.Get(1), "/s/c.PRJ");
    EXPECT_EQ(h.Get(2), "/s/b.PRJ");

    // Names that differ in letter case are two files here.
    h.Add("/s/B.PRJ");
    EXPECT_EQ(h.Count(), 4);
    EXPECT_EQ(h.Get(0), "/s/B.PRJ");
    EXPECT_EQ(h.Get(3), "/s/b.PRJ");

    EXPECT_EQ(h.Get(4), "");
    EXPECT_EQ(h.Get(-1), "");
}

TEST_F(FileHistoryTest, TwentyFivePathsGiveTwentyItemsWithTheirAccessKeys)
{
    FileHistory h;
    EXPECT_FALSE(h.UpdateMenu().Enabled);
    for (int i = 25; i >= 1; --i)
        h.Add("/shows/" + std::to_string(i) + ".PRJ");
    EXPECT_EQ(h.Count(), 25) << "the list itself is not limited";

    FileHistoryMenu menu = h.UpdateMenu();
    EXPECT_TRUE(menu.Enabled);
    const std::pair<int, const char*> captions[] = {
        {0, "&1: /shows/1.PRJ"},    {8, "&9: /shows/9.PRJ"},    {9, "&0: /shows/10.PRJ"},
        {10, "   /shows/11.PRJ"}, {19, "   /shows/20.PRJ"},
    };
    for (auto [i, caption] : captions)
        EXPECT_EQ(menu.Items[size_t(i)].Caption, caption);
    for (const auto& item : menu.Items)
        EXPECT_TRUE(item.Visible);

    IniFile ini(IniPath());
    h.Save(ini, "PrjHistory");
    EXPECT_EQ(ini.ReadString("PrjHistory", "File19", ""), "/shows/20.PRJ");
    EXPECT_EQ(ini.ReadString("PrjHistory", "File20", "unset"), "unset");
}

TEST_F(FileHistoryTest, MenuTextShowsPathsOrNamesWithLiteralAmpersands)
{
    FileHistory h;
    h.Add("/Rock & Roll/show.PRJ");
    h.Add("");
    FileHistoryMenu menu = h.UpdateMenu();
    EXPECT_FALSE(menu.Items[0].Visible) << "an empty entry is not shown";
    EXPECT_EQ(menu.Items[1].Caption, "&2: /Rock && Roll/show.PRJ");
    EXPECT_FALSE(menu.Items[2].Visible);

    h.FullPaths = false;
    EXPECT_EQ(h.UpdateMenu().Items[1].Caption, "&2: show.PRJ");
}
