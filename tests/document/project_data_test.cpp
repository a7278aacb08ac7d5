#include "document_fixture.h"

#include "common/version.h"
#include "common/text_codec.h"

TEST_F(DocumentTest, FreshDocumentHasTheDefaults)
{
    for (const TStepList& line : doc.Lines)
        EXPECT_TRUE(line.empty());
    EXPECT_EQ(doc.CurrentLine, 0);
    EXPECT_EQ(doc.Version, Utf8ToUtf16(ProgramVersion));
    EXPECT_EQ(Utf16ToUtf8(doc.Version), "1.4.0.0");
    EXPECT_TRUE(doc.Title.empty());
    EXPECT_TRUE(doc.SoundFile.empty());
    EXPECT_EQ(doc.SoundFileTime, 0.0);
    for (int i = 0; i < 512; ++i)
        EXPECT_EQ(doc.Patch[size_t(i)], i < 24 ? i : -1);
    EXPECT_FALSE(doc.Modified);
    EXPECT_TRUE(doc.FileName.empty());
    // The live patch sends nothing until a show gives one.
    EXPECT_EQ(play.DmxPatch[0], -1);
    EXPECT_EQ(play.PrePlayTime, 10000);
    EXPECT_EQ(play.PostPlayTime, 10000);
}

TEST_F(DocumentTest, StepAtAndCounts)
{
    Fill(0, {{100}, {200}});
    Fill(3, {{50}});
    EXPECT_EQ(doc.StepAt(-1), nullptr);
    EXPECT_EQ(doc.StepAt(2), nullptr);
    ASSERT_NE(doc.StepAt(1), nullptr);
    EXPECT_EQ(doc.StepAt(1)->Time, 200);
    Select(0, {1});
    Select(3, {0});
    EXPECT_EQ(doc.CountSelected(), 1);
    EXPECT_EQ(doc.CountSelectedAll(), 2);
    EXPECT_EQ(doc.TotalStepCount(), 3);
    doc.SetSelection(0, false);
    EXPECT_EQ(doc.CountSelectedAll(), 1);
    doc.SetSelection(1, true);
    EXPECT_EQ(doc.CountSelectedAll(), 3);
}

TEST_F(DocumentTest, SelectRangeClearsTheCurrentLineAndSelectsOnlyValidRanges)
{
    struct Case {
        int a, b;
        std::vector<int> selected;
    };
    const Case cases[] = {
        {5, 2, {2, 3, 4, 5}}, {2, 9, {}}, {-1, 3, {3}}, {3, -1, {}}, {-1, 6, {}}, {1, 1, {1}},
    };
    Fill(0, {{0}, {1}, {2}, {3}, {4}, {5}});
    Fill(1, {{0}});
    for (const Case& c : cases) {
        doc.SetSelection(1, true);
        doc.SelectRange(c.a, c.b);
        std::vector<int> got;
        for (int i = 0; i < 6; ++i)
            if (doc.Lines[0][size_t(i)].Selected)
                got.push_back(i);
        EXPECT_EQ(got, c.selected) << c.a << "," << c.b;
        EXPECT_EQ(doc.Lines[1][0].Selected, 1) << "other lines keep their selection";
    }
}

TEST_F(DocumentTest, NormalizeSortsAndRecomputesDurations)
{
    doc.Lines[0] = {TStepRec{.Time = 500}, TStepRec{.Time = 100, .Duration = 7}, TStepRec{.Time = 100}};
    doc.Lines[2].push_back(TStepRec{});
    doc.Lines[2][0].Line = 2;
    doc.Lines[2][0].Duration = 500;
    doc.Normalize();
    EXPECT_EQ(Times(0), (std::vector<int32_t>{100, 100, 500}));
    EXPECT_EQ(doc.Lines[0][0].Duration, 0);
    EXPECT_EQ(doc.Lines[0][1].Duration, 400);
    EXPECT_EQ(doc.Lines[0][2].Duration, 0);
    EXPECT_EQ(doc.Lines[2][0].Duration, 0);
}

TEST_F(DocumentTest, ClearLineIgnoresInvalidIndexesAndLeavesModifiedAlone)
{
    Fill(4, {{1}, {2}});
    doc.ClearLine(8);
    doc.ClearLine(-1);
    EXPECT_EQ(doc.TotalStepCount(), 2);
    doc.ClearLine(4);
    EXPECT_EQ(doc.TotalStepCount(), 0);
    EXPECT_FALSE(doc.Modified);
}

TEST_F(DocumentTest, SetSoundPathStoresPathsInsideTheExecutableFolderRelative)
{
    const std::string exe = dir.Path() + "/";
    const std::pair<std::string, std::string> cases[] = {
        {exe + "music/a.wav", "music/a.wav"},
        {"/other" + exe + "a.wav", "/other" + exe + "a.wav"},
        {"/elsewhere/a.wav", "/elsewhere/a.wav"},
        // Linux file names are case-sensitive: another spelling is another folder.
        {"/TMP" + exe.substr(4) + "a.wav", "/TMP" + exe.substr(4) + "a.wav"},
    };
    for (const auto& [path, stored] : cases) {
        doc.Modified = false;
        doc.SetSoundPath(path);
        EXPECT_EQ(Utf16ToUtf8(doc.SoundFile), stored);
        EXPECT_TRUE(doc.Modified);
    }
}
