#include "document_fixture.h"

#include <functional>

TEST_F(DocumentTest, AddStepAppendsAfterTheLastStepAndKeepsTheLineNormalised)
{
    EXPECT_EQ(doc.AddStep(0x112233, 5, -1, 0, true), 1);
    EXPECT_EQ(doc.Lines[0][0].Time, 0) << "time -1 on an empty line is 0";
    doc.CurrentLine = 2;
    Fill(2, {{4000}, {1000}});
    EXPECT_EQ(doc.AddStep(0, 0, -1, 0, true), 3);
    EXPECT_EQ(Times(2), (std::vector<int32_t>{1000, 4000, 4000}));
    EXPECT_EQ(doc.Lines[2][0].Duration, 3000);
    EXPECT_EQ(doc.Lines[2][2].Line, 2);
    EXPECT_TRUE(doc.Modified);
    EXPECT_EQ(doc.UndoList.size(), 2u);
    doc.AddStep(0, 0, -50000, 0, false);
    EXPECT_EQ(Times(2).front(), -50000) << "AddStep does not clamp";
    EXPECT_EQ(doc.UndoList.size(), 2u);
}

TEST_F(DocumentTest, EmptyStepTakesTheColourTheLineAlreadyHas)
{
    doc.AddEmptyStep(500);
    EXPECT_EQ(doc.Lines[0][0].Color, 0u) << "no step before: black";
    Fill(1, {{1000, 0x0000FF, 0}, {2000, 0xFF0000, 100}});
    doc.CurrentLine = 1;
    doc.AddEmptyStep(1500);
    EXPECT_EQ(doc.Lines[1][1].Color, 0x7F007Fu);
    EXPECT_EQ(doc.Lines[1][1].Brightness, 50);
    doc.AddEmptyStep(9000);
    EXPECT_EQ(doc.Lines[1].back().Color, 0xFF0000u);
    EXPECT_EQ(doc.Lines[1].back().Brightness, 100);
}

TEST_F(DocumentTest, DeleteOperations)
{
    Fill(0, {{1}, {2}, {3}});
    Fill(1, {{1}, {2}});
    Select(0, {0, 2});
    Select(1, {1});
    doc.DeleteSelected();
    EXPECT_EQ(Times(0), (std::vector<int32_t>{2}));
    EXPECT_EQ(doc.Lines[1].size(), 2u);
    doc.DeleteSelectedAll();
    EXPECT_EQ(Times(1), (std::vector<int32_t>{1}));
    EXPECT_EQ(doc.Lines[1][0].Duration, 0);
    doc.DeleteAllSteps();
    EXPECT_TRUE(doc.Lines[0].empty());
    EXPECT_EQ(doc.UndoList.size(), 3u);
    EXPECT_TRUE(doc.Modified);
}

TEST_F(DocumentTest, CopyAndPasteOnOneLine)
{
    Fill(0, {{2000, 1}, {2500, 2}, {4000, 3}, {6000, 4}});
    doc.CopySelected(true);
    EXPECT_TRUE(doc.UndoList.empty()) << "nothing selected: no snapshot, even when cutting";
    EXPECT_TRUE(doc.LineClipboard.empty());

    Select(0, {0, 1, 2});
    doc.CopySelected(false);
    EXPECT_EQ(doc.LineClipboard.size(), 3u);
    EXPECT_EQ(doc.LineClipboard[0].Selected, 0);
    doc.CurrentLine = 5;
    doc.PasteSteps(10000);
    doc.PasteSteps(10000);
    EXPECT_EQ(Times(5), (std::vector<int32_t>{10000, 10000, 10500, 10500, 12000, 12000}));
    for (const TStepRec& s : doc.Lines[5]) {
        EXPECT_EQ(s.Line, 5);
        EXPECT_EQ(s.Selected, 0);
    }
    doc.CurrentLine = 0;
    doc.CopySelected(true);
    EXPECT_EQ(Times(0), (std::vector<int32_t>{6000}));
}

TEST_F(DocumentTest, PasteAllPutsStepsBackOnTheirOwnLines)
{
    Fill(1, {{3000, 1}});
    Fill(4, {{2000, 2}});
    Select(1, {0});
    Select(4, {0});
    doc.CopySelectedAll(false);
    EXPECT_EQ(doc.MultiClipboard.front().Line, 1) << "line 0 first, then the others";
    doc.CurrentLine = 6;
    doc.PasteStepsAll(-1000);
    EXPECT_EQ(Times(1), (std::vector<int32_t>{0, 3000}));
    EXPECT_EQ(Times(4), (std::vector<int32_t>{-1000, 2000}));
    EXPECT_TRUE(doc.Lines[6].empty());
}

TEST_F(DocumentTest, MoveSelectedStopsShortOfTheNeighbourItMovesToward)
{
    struct Case {
        std::vector<int32_t> times;
        int selected;
        int32_t delta;
        bool keepOrder;
        int32_t expected;
    };
    const Case cases[] = {
        {{1000, 1300}, 0, 300, false, 1299},
        {{1000, 1300}, 0, 500, true, 1299},
        {{1000, 1300}, 0, 500, false, 1500},
        {{800, 1000}, 1, -300, true, 801},
        {{800, 1000}, 1, -200, false, 801},
        {{800, 1000}, 1, -300, false, 700},
        {{0}, 0, -50000, false, -10000},       // clamped to the lead-in
        {{0}, 0, 1000000, false, 70000},       // clamped to sound + run-out
    };
    play.SoundDuration = 60000;
    for (const Case& c : cases) {
        doc.Lines[0].clear();
        for (int32_t t : c.times)
            doc.Lines[0].push_back(TStepRec{.Time = t});
        Select(0, {c.selected});
        doc.MoveSelected(c.delta, c.keepOrder);
        bool found = false;
        for (const TStepRec& s : doc.Lines[0])
            if (s.Selected) {
                EXPECT_EQ(s.Time, c.expected) << c.delta << " keepOrder " << c.keepOrder;
                found = true;
            }
        EXPECT_TRUE(found);
    }
    doc.Modified = false;
    doc.MoveSelected(0, false);
    EXPECT_FALSE(doc.Modified);
}

TEST_F(DocumentTest, StretchOperations)
{
    play.PrePlayTime = 500;
    play.SoundDuration = 100000;
    Fill(0, {{1000, 0, 200}, {1500, 0, -100}, {3000}});
    Fill(1, {{50}});
    Select(0, {0, 1, 2});
    doc.StretchTime(2.0);
    EXPECT_EQ(Times(0), (std::vector<int32_t>{1000, 2000, 5000}));
    doc.Undo();
    doc.StretchTime(-1.0);
    EXPECT_EQ(Times(0), (std::vector<int32_t>{-500, 500, 1000})) << "-1000 clamped to the lead-in";
    EXPECT_EQ(Times(1), (std::vector<int32_t>{50}));

    doc.Undo();
    doc.StretchBrightness(1.5);
    EXPECT_EQ(doc.Lines[0][0].Brightness, 255);
    EXPECT_EQ(doc.Lines[0][1].Brightness, -150);

    doc.SetSelection(0, true);
    const size_t undo = doc.UndoList.size();
    doc.Modified = false;
    doc.StretchTime(3.0);
    EXPECT_EQ(doc.UndoList.size(), undo + 1) << "the snapshot comes first";
    EXPECT_FALSE(doc.Modified) << "nothing selected";
}

TEST_F(DocumentTest, StretchSelectedScalesAroundTheFixedStep)
{
    Fill(0, {{1000}, {1200}, {1400}, {2000}});
    Select(0, {0, 1, 2, 3});
    for (TStepRec& s : doc.Lines[0])
        s.DragOrigin = s.Time;
    DragSteps steps{0, 3, 3};
    doc.StretchSelected(steps, 3000); // the last step dragged from 2000 to 3000
    EXPECT_EQ(Times(0), (std::vector<int32_t>{1000, 1400, 1800, 3000}));
}

TEST_F(DocumentTest, AlignAndCopyFromLine)
{
    Fill(0, {{100}, {900}});
    Fill(2, {{500}});
    Select(0, {1});
    Select(2, {0});
    doc.AlignSelected();
    EXPECT_EQ(Times(2), (std::vector<int32_t>{900}));

    EXPECT_EQ(doc.CopyFromLine(2, 2), 0);
    EXPECT_EQ(doc.CopyFromLine(5, 0), 0) << "empty source";
    EXPECT_EQ(Times(0), (std::vector<int32_t>{100, 900}));
    EXPECT_EQ(doc.CopyFromLine(0, 8), 0);
    EXPECT_EQ(doc.CopyFromLine(0, 7), 2);
    EXPECT_EQ(doc.Lines[7][1].Line, 7);
    EXPECT_EQ(doc.Lines[7][1].Selected, 1) << "copied as they are";
}

TEST_F(DocumentTest, UndoKeepsFiftySnapshotsAndMarksTheShowChanged)
{
    doc.Undo();
    EXPECT_EQ(doc.TotalStepCount(), 0);
    for (int i = 0; i < 51; ++i)
        doc.AddStep(0, 0, i * 10, 0, true);
    EXPECT_EQ(doc.UndoList.size(), 50u);
    doc.Modified = false;
    doc.Undo();
    EXPECT_EQ(doc.TotalStepCount(), 50);
    EXPECT_TRUE(doc.Modified) << "an undone change still differs from the saved file";
    while (!doc.UndoList.empty())
        doc.Undo();
    EXPECT_EQ(doc.TotalStepCount(), 1) << "the first add is beyond the history";
}

// A loaded file keeps the durations it stored; the next edit must tidy every line, not only
// the current one, or the stale durations are saved back.
TEST_F(DocumentTest, EditsThatNormaliseTidyEveryLine)
{
    const std::pair<const char*, std::function<void()>> edits[] = {
        {"AddStep", [&] { doc.AddStep(0, 0, 7000, 0, false); }},
        {"DeleteSelected", [&] { doc.DeleteSelected(); }},
        {"PasteSteps", [&] { doc.PasteSteps(8000); }},
        {"StretchSelected", [&] {
             DragSteps steps{0, 1, 1};
             doc.StretchSelected(steps, 3000);
         }},
    };
    for (const auto& [name, edit] : edits) {
        const std::string path = dir / "stale.PRJ";
        WriteBytes(path, Concat({CurrentHeader(), StepBytes(0, 1000, 1000, 0, 0, 1), StepBytes(0, 2000, 0, 0, 0, 1),
                                 StepBytes(0, 3000, 0, 0, 0), StepBytes(5, 100, 50, 0, 0), StepBytes(5, 900, 0, 0, 0)}));
        ASSERT_EQ(doc.LoadProject(path), 6);
        doc.LineClipboard = {TStepRec{.Time = 10}};
        for (TStepRec& s : doc.Lines[0])
            s.DragOrigin = s.Time;
        edit();
        EXPECT_EQ(doc.Lines[5][0].Duration, 800) << name;
    }
}
