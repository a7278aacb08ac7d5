// The mark bar in the window: the ruler, selection on markers, time and stretch drags with
// their release, seeking and scrubbing beside the markers, the double-click and the wheel.
#include "editor/canvas_fixture.h"
#include "editor/edit_state.h"
#include "editor/panes/mark_bar.h"
#include "editor/step_geometry.h"
#include "editor/view_state.h"

#include <QImage>

#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace {

class MarkBarTest : public CanvasTest {
protected:
    // Drags from marker `index` to time `to` in steps of 10 pixels, then releases.
    void DragMarker(int index, int32_t to, Qt::KeyboardModifiers keys = {})
    {
        QPoint p = OnMarker(index);
        Press(Bar(), p, keys);
        const int step = X(to) > p.x() ? 10 : -10;
        while (std::abs(X(to) - p.x()) > 10) {
            p.rx() += step;
            Move(Bar(), p, keys);
        }
        Move(Bar(), {X(to), p.y()}, keys);
        Release(Bar(), {X(to), p.y()}, keys);
    }
};

TEST_F(MarkBarTest, RulerTicksEverySecondAndLabelsEveryTenFromTheSoundStart)
{
    // 10 s of lead-in at 0.25 pixels per 10 ms: a second is 25 pixels, the sound starts at 250.
    StartShow({}, {}, true, 10000, 0.25);
    QImage image(Bar()->size(), QImage::Format_RGB32);
    Bar()->render(&image);
    const QColor fg(0, 0, 0), bg(255, 255, 255); // TLinFg, TLinBg
    EXPECT_EQ(image.pixelColor(250, 9), fg) << "a major tick at the sound's start";
    EXPECT_EQ(image.pixelColor(250, 10), bg);
    EXPECT_EQ(image.pixelColor(275, 5), fg) << "a minor tick a second later";
    EXPECT_EQ(image.pixelColor(275, 6), bg);
    EXPECT_EQ(image.pixelColor(0, 5), fg);
    EXPECT_EQ(image.pixelColor(0, 6), bg) << "the lead-in's ticks are minor";
    EXPECT_EQ(image.pixelColor(500, 9), fg);
    auto inked = [&](int left, int right) {
        for (int x = left; x < right; ++x)
            for (int y = 12; y < 26; ++y)
                if (image.pixelColor(x, y) != bg)
                    return true;
        return false;
    };
    EXPECT_TRUE(inked(246, 262)) << "the label 00";
    EXPECT_FALSE(inked(271, 287)) << "no label on a minor tick";
    EXPECT_FALSE(inked(0, 230)) << "none in the lead-in";
}

TEST_F(MarkBarTest, SelectionByKeysAndTheCountOfAllLines)
{
    StartShow({{0, 0}, {0, 1000}, {0, 2000}, {1, 500, 0xFF0000, 0, true}, {2, 500, 0xFF0000, 0, true}});
    Click(Bar(), OnMarker(1));
    EXPECT_THAT(Selected(0), ElementsAre(1));
    EXPECT_TRUE(Selected(1).empty()) << "a plain press on an unselected step starts over";
    Click(Bar(), OnMarker(0), Qt::ControlModifier);
    Click(Bar(), OnMarker(2), Qt::ShiftModifier);
    EXPECT_THAT(Selected(0), ElementsAre(0, 1, 2));
    Doc().SelectSteps(std::vector<StepPos>{{1, 0}, {2, 0}});
    Click(Bar(), OnMarker(1), Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Panel(3), "選択中=3(5)");
    EXPECT_EQ(Panel(1), "00:00:01.00");
}

TEST_F(MarkBarTest, ATimeDragMovesTheSelectionOfAllLinesAndLandsAtThePointer)
{
    StartShow({{0, 1000, 0x0000FF, 0, true}, {0, 2005}, {3, 1200, 0x0000FF, 0, true}});
    DragMarker(0, 2500);
    EXPECT_EQ(Times(0), (std::vector<int32_t>{2005, 2500}));
    EXPECT_EQ(Times(3), std::vector<int32_t>{2700}) << "moved by as much";
    EXPECT_EQ(Doc().UndoList.size(), 1u);
    EXPECT_EQ(Edit().CurrentStep(), 1) << "the dragged step stays current through the re-sort";
    EXPECT_EQ(form->View().StepLineX(), ViewState::NoStepLine);
}

TEST_F(MarkBarTest, StretchingTheLastStepPastTheFirstMirrorsTheInnerSteps)
{
    StartShow({{0, 1000, 0x0000FF, 0, true}, {0, 1500, 0x0000FF, 0, true}, {0, 2000, 0x0000FF, 0, true}});
    DragMarker(2, 500, Qt::ControlModifier | Qt::ShiftModifier);
    // Ratio (500 - 1000) / (2000 - 1000) = -0.5: the middle step goes to 1000 - 250.
    EXPECT_EQ(Times(0), (std::vector<int32_t>{500, 750, 1000}));

    // Ctrl and Shift on the middle step: a plain time drag of the whole selection.
    DragMarker(1, 1750, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Times(0), (std::vector<int32_t>{1500, 1750, 2000}));
    EXPECT_THAT(Selected(0), ElementsAre(0, 1, 2));
}

TEST_F(MarkBarTest, CtrlShiftOnAnUnselectedMarkerStartsNoDrag)
{
    StartShow({{0, 1000, 0x0000FF, 0, true}, {0, 2000, 0x0000FF, 0, true}, {0, 3000}});
    DragMarker(2, 3500, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Times(0), (std::vector<int32_t>{1000, 2000, 3000})) << "nothing moved, at no move";
    EXPECT_THAT(Selected(0), ElementsAre(0, 1));
    EXPECT_EQ(Doc().UndoList.size(), 1u) << "the press still took its snapshot";
}

TEST_F(MarkBarTest, PressesBesideTheMarkersSelectOrSeek)
{
    StartShow({{0, 1000}, {2, 500, 0x0000FF, 0, true}});
    // Within 8 pixels of the step but above its marker: selected, no drag, a snapshot.
    const QPoint above(X(1000) + 5, 10);
    Press(Bar(), above);
    EXPECT_EQ(Edit().Drag(), DragKind::None);
    EXPECT_THAT(Selected(0), ElementsAre(0));
    Move(Bar(), above + QPoint(30, 0));
    Release(Bar(), above + QPoint(30, 0));
    EXPECT_EQ(Times(0), std::vector<int32_t>{1000});
    EXPECT_EQ(Doc().UndoList.size(), 1u);

    // Far from every step: nothing selected on any line, and the play position moves there.
    Click(Bar(), {X(2500), 34});
    EXPECT_TRUE(Selected(0).empty());
    EXPECT_TRUE(Selected(2).empty());
    EXPECT_EQ(Edit().CurrentStep(), -1);
    EXPECT_EQ(S().State().Play.PlayPosition, 2500);

    // A drag there scrubs, and the step the position passes becomes current.
    Press(Bar(), {X(2500), 34});
    Move(Bar(), {X(1700), 34});
    EXPECT_EQ(S().State().Play.PlayPosition, 1700);
    EXPECT_EQ(Edit().CurrentStep(), -1);
    Move(Bar(), {X(1020), 34});
    EXPECT_EQ(Edit().CurrentStep(), 0);
    Release(Bar(), {X(1020), 34});
    EXPECT_FALSE(Doc().Modified) << "following a step is not an edit";
}

TEST_F(MarkBarTest, ADoubleClickOpensTheColourDialogAndTheNextPressDrags)
{
    StartShow({{0, 1000, 0x0000FF, 0, true}, {0, 3000}});
    dialogs.colors = {0x123456};
    DoubleClick(Bar(), OnMarker(0));
    EXPECT_EQ(Doc().Lines[0][0].Color, 0x123456u);
    EXPECT_FALSE(Edit().StepPressIgnored());
    DragMarker(0, 1500);
    EXPECT_EQ(Times(0), (std::vector<int32_t>{1500, 3000}));
}

TEST_F(MarkBarTest, TheWheelZoomsWithCtrlAndScrollsOtherwise)
{
    StartShow({});
    ViewState& view = form->View();
    Wheel(Bar(), {100, 10}, 120, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(view.Scale(), 1.5);
    Wheel(Bar(), {100, 10}, -120, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(view.Scale(), 1.0);
    view.SetScale(4.0, 0);
    view.SetScrollPosition(0);
    Wheel(Bar(), {100, 10}, -120);
    EXPECT_EQ(view.ScrollPosition(), 200) << "toward the user: later by half a second";
    Wheel(Bar(), {100, 10}, -120, Qt::ShiftModifier);
    EXPECT_EQ(view.ScrollPosition(), 1000);
    for (int i = 0; i < 4; ++i)
        Wheel(Bar(), {100, 10}, 30);
    EXPECT_EQ(view.ScrollPosition(), 800) << "four small steps make one notch";
}

} // namespace
