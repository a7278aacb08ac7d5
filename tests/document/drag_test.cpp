// Dragging steps in time on the lane and the mark bar: the moves, the stretch, and the
// steps a drag holds on to while the line is sorted again under it.
#include "document_fixture.h"

class DragTest : public DocumentTest {
protected:
    DragTest()
    {
        play.PrePlayTime = 500;
        play.SoundDuration = 10000;
        play.PostPlayTime = 0;
    }
    // The lane's time drag: the pointer at time t moves the selection by the dragged step's distance.
    int DragTo(int dragged, int32_t t) { return doc.MoveSelected(t - doc.StepAt(dragged)->Time, false, dragged); }
};

TEST_F(DragTest, TimeDragPastANeighbourKeepsHoldingTheDraggedStep)
{
    Fill(0, {{1000, 0xA}, {1300, 0xB}, {2000, 0xC}});
    Select(0, {0});
    int dragged = 0;
    dragged = DragTo(dragged, 1500);
    EXPECT_EQ(dragged, 1) << "past B, the line is sorted again";
    dragged = DragTo(dragged, 1800);
    EXPECT_EQ(Times(0), (std::vector<int32_t>{1300, 1800, 2000}));
    EXPECT_EQ(Colors(0), (std::vector<uint32_t>{0xB, 0xA, 0xC})) << "only A moved";
    dragged = DragTo(dragged, 2000);
    EXPECT_EQ(doc.StepAt(dragged)->Color, 0xAu);
    EXPECT_EQ(doc.StepAt(dragged)->Time, 1999) << "one short of the neighbour it meets";

    // The release drops the step exactly at the pointer, past C this time.
    dragged = doc.EndTimeDrag(dragged, 2500);
    EXPECT_EQ(Colors(0), (std::vector<uint32_t>{0xB, 0xC, 0xA}));
    EXPECT_EQ(dragged, 2);
    EXPECT_EQ(doc.Lines[0][1].Duration, 500);
    EXPECT_TRUE(doc.Modified);
    EXPECT_EQ(doc.EndTimeDrag(dragged, 99999), 2);
    EXPECT_EQ(doc.StepAt(2)->Time, 10000) << "a drop stays on the timeline";
    EXPECT_EQ(doc.EndTimeDrag(2, std::nullopt), 2) << "Alt held: the step stays where the moves left it";
    EXPECT_EQ(doc.StepAt(2)->Time, 10000);
}

TEST_F(DragTest, MoveSelectedWithSelectedNeighboursAndOverSeveralLines)
{
    struct Case {
        std::vector<int32_t> times;
        std::vector<int> selected;
        int32_t delta;
        bool keepOrder;
        std::vector<int32_t> expected; // the line afterwards, sorted
    };
    const Case cases[] = {
        // The unselected step after the group limits every selected step, not just the nearest.
        {{1000, 1100, 1300}, {0, 1}, 300, true, {1299, 1299, 1300}},
        {{1000, 1100, 1300}, {0, 1}, 300, false, {1299, 1300, 1400}},
        {{800, 1000, 1100}, {1, 2}, -300, true, {800, 801, 801}},
        {{800, 1000, 1100}, {1, 2}, -300, false, {700, 800, 801}},
        // Selected steps between them are skipped when looking for the neighbour.
        {{1000, 1050, 1100, 5000}, {0, 1, 2}, 400, false, {1400, 1450, 1500, 5000}},
        {{-400, 0}, {0, 1}, -1000, false, {-500, -500}},
    };
    for (const Case& c : cases) {
        doc.Lines[0].clear();
        for (int32_t t : c.times)
            doc.Lines[0].push_back(TStepRec{.Time = t});
        for (int i : c.selected)
            doc.Lines[0][size_t(i)].Selected = 1;
        doc.MoveSelected(c.delta, c.keepOrder);
        EXPECT_EQ(Times(0), c.expected) << c.delta << " keepOrder " << c.keepOrder;
    }

    doc.Lines[0].clear();
    Fill(1, {{1000}});
    Fill(3, {{1000}, {1200}});
    Fill(5, {{1000}});
    Select(1, {0});
    Select(3, {0});
    doc.CurrentLine = 5;
    doc.MoveSelected(300, false);
    EXPECT_EQ(Times(1), (std::vector<int32_t>{1300}));
    EXPECT_EQ(Times(3), (std::vector<int32_t>{1200, 1300})) << "passes its neighbour and is sorted";
    EXPECT_EQ(doc.Lines[3][0].Duration, 100);
    EXPECT_EQ(Times(5), (std::vector<int32_t>{1000})) << "nothing selected there";
}

TEST_F(DragTest, StretchAboutTheFixedEnd)
{
    struct Case {
        const char* name;
        int dragged; // 0 the first, 2 the last of the three selected steps
        int32_t time;
        std::vector<int32_t> expected; // first, middle, last selected step
    };
    const Case cases[] = {
        {"last out", 2, 3000, {1000, 2000, 3000}},
        {"first out, the last stays", 0, 0, {0, 1000, 2000}},
        {"first in", 0, 1500, {1500, 1750, 2000}},
        {"last beyond the end of the timeline", 2, 15000, {1000, 8000, 10000}},
        {"first beyond the start of the lead-in", 0, -20000, {-500, -500, 2000}},
    };
    for (const Case& c : cases) {
        for (TStepList& line : doc.Lines)
            line.clear();
        Fill(0, {{1000, 0xF}, {1500, 0x3}, {2000, 0x1}, {9000, 0x9}});
        Select(0, {0, 1, 2});
        DragSteps steps = doc.StartDrag(c.dragged);
        EXPECT_EQ(steps.First, 0);
        EXPECT_EQ(steps.Last, 2);
        doc.StretchSelected(steps, c.time);
        auto timeOf = [this](uint32_t color) {
            for (const TStepRec& s : doc.Lines[0])
                if (s.Color == color)
                    return s.Time;
            return -1;
        };
        EXPECT_EQ((std::vector<int32_t>{timeOf(0xF), timeOf(0x3), timeOf(0x1)}), c.expected) << c.name;
        EXPECT_EQ(timeOf(0x9), 9000) << "unselected steps stay";
        EXPECT_EQ(doc.StepAt(steps.First)->Color, 0xFu) << c.name;
        EXPECT_EQ(doc.StepAt(steps.Last)->Color, 0x1u) << c.name;
    }
}

TEST_F(DragTest, StretchPastTheFixedEndMirrorsAndKeepsGoing)
{
    Fill(0, {{1000, 0xF}, {1500, 0x3}, {2000, 0x1}});
    Select(0, {0, 1, 2});
    DragSteps steps = doc.StartDrag(2);
    EXPECT_EQ(doc.UndoList.size(), 1u);
    EXPECT_FALSE(doc.Modified) << "stamping the drag origins changes nothing to save";

    doc.StretchSelected(steps, 500);
    EXPECT_EQ(Times(0), (std::vector<int32_t>{500, 750, 1000}));
    EXPECT_EQ(Colors(0), (std::vector<uint32_t>{0x1, 0x3, 0xF})) << "mirrored";
    EXPECT_EQ(steps.First, 2);
    EXPECT_EQ(steps.Last, 0);
    EXPECT_EQ(steps.Dragged, 0);

    // Still the last step under the pointer, still about the first.
    doc.StretchSelected(steps, 0);
    EXPECT_EQ(Times(0), (std::vector<int32_t>{0, 500, 1000}));
    EXPECT_EQ(Colors(0), (std::vector<uint32_t>{0x1, 0x3, 0xF}));
    doc.StretchSelected(steps, 3000);
    EXPECT_EQ(Times(0), (std::vector<int32_t>{1000, 2000, 3000}));
    EXPECT_EQ(Colors(0), (std::vector<uint32_t>{0xF, 0x3, 0x1}));
    EXPECT_EQ(steps.First, 0);
    EXPECT_EQ(steps.Dragged, 2);
    EXPECT_TRUE(doc.Modified);
    EXPECT_EQ(doc.UndoList.size(), 1u) << "the press took the only snapshot";

    doc.Undo();
    EXPECT_EQ(Times(0), (std::vector<int32_t>{1000, 1500, 2000}));
}

TEST_F(DragTest, StretchIgnoresStepsThatCannotMakeOne)
{
    Fill(0, {{1000}, {2000}});
    Select(0, {0, 1});
    DragSteps steps = doc.StartDrag(1);
    doc.Modified = false;
    const DragSteps invalid[] = {{0, 0, 0}, {0, 1, 5}, {0, 7, 0}, {-1, 1, 1}};
    for (DragSteps s : invalid) {
        doc.StretchSelected(s, 5000);
        EXPECT_EQ(Times(0), (std::vector<int32_t>{1000, 2000}));
    }
    doc.Lines[0][0].DragOrigin = 2000; // no distance to scale
    doc.StretchSelected(steps, 5000);
    EXPECT_EQ(Times(0), (std::vector<int32_t>{1000, 2000}));
    EXPECT_FALSE(doc.Modified);
}
