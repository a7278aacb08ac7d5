// The editor's commands and pane edits on the current step and the selection.
#include "document_fixture.h"

#include <functional>

class EditorEditsTest : public DocumentTest {
protected:
    EditorEditsTest()
    {
        play.SoundDuration = 10000;
        play.PlayPosition = 2500;
        Fill(0, {{1000, 0x0000FF, 10}, {2000, 0x00FF00, -20}, {3000, 0xFF0000, 250}});
        Fill(2, {{1500, 0x111111, 0}});
        Select(0, {1});
        Select(2, {0});
    }
};

TEST_F(EditorEditsTest, EachEditTakesAnUndoSnapshotOnlyWhereItShould)
{
    struct Case {
        const char* name;
        std::function<void(ProjectData&)> edit;
        size_t snapshots;
        bool modified;
    };
    const Case cases[] = {
        {"step colour", [](ProjectData& d) { d.ColorSteps(0, 0x123456); }, 1, true},
        {"step time", [](ProjectData& d) { d.SetStepTime(0, 4000); }, 1, true},
        {"step time refused", [](ProjectData& d) { d.SetStepTime(0, 10001); }, 0, false},
        {"step to cursor", [](ProjectData& d) { d.MoveStepToCursor(2); }, 1, true},
        {"brightness up", [](ProjectData& d) { d.BrightnessUp(0); }, 0, true},
        {"brightness down", [](ProjectData& d) { d.BrightnessDown(0); }, 0, true},
        {"drag press", [](ProjectData& d) { d.StartDrag(1); }, 1, false},
        {"brightness drag", [](ProjectData& d) { d.DragBrightness(1, 100); }, 0, true},
        {"wheel", [](ProjectData& d) { d.WheelBrightness(0, -16); }, 0, true},
        {"track bar", [](ProjectData& d) { d.SetStepBrightness(0, 40); }, 0, true},
        {"track bar mirroring the step", [](ProjectData& d) { d.SetStepBrightness(0, 10, false); }, 0, false},
        {"brightness 0 button", [](ProjectData& d) { d.ZeroBrightness(0); }, 1, true},
        {"palette press", [](ProjectData& d) { d.PaintColor(0, 0x808080, true); }, 1, true},
        {"palette move", [](ProjectData& d) { d.PaintColor(0, 0x808080, false); }, 0, true},
        {"time drag move", [](ProjectData& d) { d.MoveSelected(700, false, 1); }, 0, true},
        {"time drag release", [](ProjectData& d) { d.EndTimeDrag(1, 3500); }, 0, true},
        {"select a step", [](ProjectData& d) { d.SelectStep(0, true); }, 0, false},
    };
    for (const Case& c : cases) {
        doc.UndoList.clear();
        const auto before = doc.Lines;
        doc.Modified = false;
        c.edit(doc);
        EXPECT_EQ(doc.UndoList.size(), c.snapshots) << c.name;
        EXPECT_EQ(doc.Modified, c.modified) << c.name;
        if (c.snapshots) {
            doc.Undo();
            EXPECT_EQ(doc.Lines, before) << c.name << " is undone whole";
        }
        doc.Lines = before;
    }
}

TEST_F(EditorEditsTest, StepColourAndTimeActOnTheCurrentStepAndTheSelectionOfAllLines)
{
    doc.ColorSteps(0, 0x123456);
    EXPECT_EQ(Colors(0), (std::vector<uint32_t>{0x123456, 0x123456, 0xFF0000}));
    EXPECT_EQ(Colors(2), (std::vector<uint32_t>{0x123456}));

    const StepTimeResult moved = doc.SetStepTime(0, 3500);
    EXPECT_FALSE(moved.Refused);
    EXPECT_EQ(Times(0), (std::vector<int32_t>{3000, 3500, 3500}));
    EXPECT_EQ(Times(2), (std::vector<int32_t>{3500}));
    EXPECT_EQ(moved.Current, 1) << "the current step, sorted past its neighbour";
    EXPECT_EQ(doc.Lines[0][0].Duration, 500);

    for (int32_t t : {-1, 10001}) {
        const StepTimeResult r = doc.SetStepTime(1, t);
        EXPECT_TRUE(r.Refused) << t;
        EXPECT_EQ(r.Current, 1);
    }
    EXPECT_FALSE(doc.SetStepTime(1, 10000).Refused) << "the end of the sound is allowed";
    EXPECT_FALSE(doc.SetStepTime(1, 0).Refused);

    doc.SetSelection(0, true);
    doc.UndoList.clear();
    EXPECT_EQ(doc.SetStepTime(-1, 500).Current, -1) << "no step to give the time to";
    doc.ColorSteps(-1, 0);
    EXPECT_TRUE(doc.UndoList.empty());
}

TEST_F(EditorEditsTest, StepToCursorFollowsTheStepItMoves)
{
    EXPECT_EQ(doc.MoveStepToCursor(0), 1);
    EXPECT_EQ(Times(0), (std::vector<int32_t>{2000, 2500, 3000}));
    EXPECT_EQ(doc.StepAt(1)->Color, 0x0000FFu);
    doc.UndoList.clear();
    EXPECT_EQ(doc.MoveStepToCursor(3), -1);
    EXPECT_TRUE(doc.UndoList.empty());
}

TEST_F(EditorEditsTest, BrightnessUpAndDownStopAtTheLimits)
{
    struct Case {
        int32_t from;
        bool up;
        bool changed;
        int32_t to;
    };
    const Case cases[] = {
        {254, true, true, 255}, {255, true, false, 255}, {-254, false, true, -255},
        {-255, false, false, -255}, {0, true, true, 1}, {0, false, true, -1},
    };
    for (const Case& c : cases) {
        doc.Lines[0][0].Brightness = c.from;
        doc.Modified = false;
        EXPECT_EQ(c.up ? doc.BrightnessUp(0) : doc.BrightnessDown(0), c.changed) << c.from;
        EXPECT_EQ(doc.Lines[0][0].Brightness, c.to) << c.from;
        EXPECT_EQ(doc.Modified, c.changed);
    }
    EXPECT_FALSE(doc.BrightnessUp(-1));
    EXPECT_FALSE(doc.BrightnessDown(3));
    EXPECT_TRUE(doc.UndoList.empty());
}

TEST_F(EditorEditsTest, BrightnessDragAndWheelClampEachStepOnItsOwn)
{
    Select(0, {2}); // 250 joins the selection: -20 (dragged), 0 on line 2, 250
    doc.DragBrightness(1, 100);
    EXPECT_EQ(doc.Lines[0][1].Brightness, 100);
    EXPECT_EQ(doc.Lines[2][0].Brightness, 120);
    EXPECT_EQ(doc.Lines[0][2].Brightness, 255) << "stopped at the limit, its difference lost";
    EXPECT_EQ(doc.Lines[0][0].Brightness, 10) << "not selected";

    doc.WheelBrightness(0, 16);
    EXPECT_EQ(doc.Lines[0][0].Brightness, 26) << "the current step turns with the selection";
    EXPECT_EQ(doc.Lines[0][1].Brightness, 116);
    EXPECT_EQ(doc.Lines[0][2].Brightness, 255);
    EXPECT_EQ(doc.Lines[2][0].Brightness, 136);

    doc.SetSelection(0, true);
    const auto before = doc.Lines;
    doc.Modified = false;
    doc.WheelBrightness(-1, -4);
    EXPECT_EQ(doc.Lines, before);
    EXPECT_TRUE(doc.Modified) << "the wheel marks the show even when nothing turned";
}

TEST_F(EditorEditsTest, PalettePaintsTheCurrentStepWithOneSnapshotPerPress)
{
    doc.PaintColor(2, 0x010101, true);
    doc.PaintColor(2, 0x020202, false);
    doc.PaintColor(2, 0x030303, false);
    EXPECT_EQ(doc.Lines[0][2].Color, 0x030303u);
    EXPECT_EQ(doc.UndoList.size(), 1u);
    doc.Undo();
    EXPECT_EQ(doc.Lines[0][2].Color, 0xFF0000u);

    doc.ZeroBrightness(2);
    EXPECT_EQ(doc.Lines[0][2].Brightness, 0);
    doc.UndoList.clear();
    doc.PaintColor(-1, 0, true);
    doc.ZeroBrightness(5);
    EXPECT_TRUE(doc.UndoList.empty()) << "no current step: nothing happens";
}

TEST_F(EditorEditsTest, SelectingSingleStepsAndTheExtendedSelection)
{
    doc.SelectStep(1, true);
    EXPECT_EQ(doc.CountSelectedAll(), 2) << "an already selected step keeps its group";
    doc.SelectStep(0, false);
    EXPECT_EQ(doc.CountSelectedAll(), 3) << "added";
    doc.SelectStep(2, true);
    EXPECT_EQ(doc.CountSelectedAll(), 1) << "a step not yet selected becomes the only one";
    EXPECT_EQ(doc.Lines[0][2].Selected, 1);

    const StepPos band[] = {{2, 0}, {0, 0}, {0, 9}, {8, 0}, {-1, 0}};
    doc.SelectSteps(band);
    EXPECT_EQ(doc.CountSelectedAll(), 3) << "invalid positions are ignored";

    const StepPos kept[] = {{0, 1}};
    doc.SelectOnly(kept);
    EXPECT_EQ(doc.CountSelectedAll(), 1);
    EXPECT_EQ(doc.Lines[0][1].Selected, 1);

    const PlotPoint plot[] = {{{2, 0}, 40, 50}, {{0, 7}, 1, 1}};
    doc.Modified = false;
    doc.SetPlotPoints(plot);
    EXPECT_EQ(doc.Lines[2][0].PlotX, 40);
    EXPECT_EQ(doc.Lines[2][0].PlotY, 50);
    EXPECT_FALSE(doc.Modified);
}

TEST_F(EditorEditsTest, HeaderEdits)
{
    const int32_t sources[] = {12, 13, 14};
    doc.SetPatchEntries(510, sources);
    EXPECT_EQ(play.DmxPatch[510], 12);
    EXPECT_EQ(play.DmxPatch[511], 13) << "nothing past the last slot";
    EXPECT_TRUE(doc.Modified);

    doc.Modified = false;
    doc.SetNewShowPatch();
    EXPECT_EQ(play.DmxPatch[23], 23);
    EXPECT_EQ(play.DmxPatch[510], -1);
    EXPECT_FALSE(doc.Modified) << "a new show has nothing to save yet";

    doc.SetPlayTimes(10000, 10000);
    EXPECT_FALSE(doc.Modified) << "the same times";
    doc.SetPlayTimes(0, 10000);
    EXPECT_EQ(play.PrePlayTime, 0);
    EXPECT_TRUE(doc.Modified);

    doc.Modified = false;
    doc.SetSoundFileTime(45000.25);
    EXPECT_EQ(doc.SoundFileTime, 45000.25);
    EXPECT_TRUE(doc.Modified);
}
