// The line lane pressed, dragged and released as a person would, checked in the document:
// hit-testing among overlapping boxes, the selection keys, brightness and time drags
// against their limits, the rubber band, the wheel and the double-click guards.
#include "editor/canvas_fixture.h"
#include "editor/edit_state.h"
#include "editor/panes/colour_bar.h"
#include "editor/panes/lane_view.h"
#include "editor/step_geometry.h"
#include "editor/view_state.h"

#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QSlider>

#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace {

class LaneTest : public CanvasTest {};

TEST_F(LaneTest, OverlappingBoxesTheFirstInListOrderWinsAndANearMissStartsABand)
{
    // 5 pixels apart, both at brightness 0: their boxes overlap between x 197 and 208.
    StartShow({{0, 1000}, {0, 1050}, {0, 3000, 0x00FF00, 200}});
    const int mid = Lane()->height() / 2;

    Click(Lane(), {X(1000) + 3, mid});
    EXPECT_EQ(Edit().CurrentStep(), 0) << "in both boxes: the first in list order";
    EXPECT_THAT(Selected(0), ElementsAre(0));
    Click(Lane(), {X(1050) + 7, mid});
    EXPECT_EQ(Edit().CurrentStep(), 1) << "in the second box only";
    EXPECT_THAT(Selected(0), ElementsAre(1));

    // Near both in time but above both boxes: no step, and a band starts.
    const QPoint above(X(1000) + 3, mid - 30);
    Press(Lane(), above);
    EXPECT_EQ(Edit().CurrentStep(), -1);
    EXPECT_TRUE(Selected(0).empty()) << "a press on empty lane deselects";
    // A band that covers only part of a box selects nothing.
    Move(Lane(), {X(1050) + 4, mid + 2});
    Release(Lane(), {X(1050) + 4, mid + 2});
    EXPECT_TRUE(Selected(0).empty());

    // A band around both whole boxes selects both; around the third alone makes it current.
    Press(Lane(), {X(1000) - 20, mid - 20});
    Move(Lane(), {X(1050) + 20, mid + 20});
    Release(Lane(), {X(1050) + 20, mid + 20});
    EXPECT_THAT(Selected(0), ElementsAre(0, 1));
    EXPECT_EQ(Edit().CurrentStep(), -1);
    const QPoint third = OnLane(2);
    Press(Lane(), third + QPoint(-30, -30));
    Move(Lane(), third + QPoint(30, 30));
    Release(Lane(), third + QPoint(30, 30));
    EXPECT_THAT(Selected(0), ElementsAre(2));
    EXPECT_EQ(Edit().CurrentStep(), 2);
    EXPECT_EQ(Panel(3), "選択中=1");
}

TEST_F(LaneTest, AClickRewritesTheBrightnessOfTheBoxCentreRowWithUndo)
{
    StartShow({{0, 500, 0x0000FF, 100}, {0, 2500, 0x0000FF, -100}});
    const int h = Lane()->height();
    for (int i : {0, 1}) {
        const int32_t before = Doc().Lines[0][size_t(i)].Brightness;
        const size_t undo = Doc().UndoList.size();
        Click(Lane(), OnLane(i));
        // The hit box of a negative brightness sits one row lower; the click lands on its centre.
        const int centre = RowOfBrightness(before, h) + (before < 0 ? 1 : 0);
        EXPECT_EQ(Doc().Lines[0][size_t(i)].Brightness, BrightnessOfRow(centre, h)) << i;
        EXPECT_EQ(Doc().UndoList.size(), undo + 1) << "every press on a step takes a snapshot";
        EXPECT_TRUE(Doc().Modified);
    }
}

TEST_F(LaneTest, SelectionKeysCtrlAddsShiftSpansAndAPressKeepsAGroup)
{
    StartShow({{0, 0}, {0, 1000}, {0, 2000}, {0, 3000}, {1, 500, 0xFF0000, 0, true}});
    Click(Lane(), OnLane(2), Qt::ShiftModifier);
    EXPECT_THAT(Selected(0), ElementsAre(2)) << "Shift with no current step selects the step alone";
    EXPECT_THAT(Selected(1), ElementsAre(0)) << "Shift leaves other lines";

    Click(Lane(), OnLane(0), Qt::ControlModifier);
    Click(Lane(), OnLane(0), Qt::ControlModifier);
    EXPECT_THAT(Selected(0), ElementsAre(0, 2)) << "Ctrl never deselects";

    Click(Lane(), OnLane(3), Qt::ShiftModifier);
    EXPECT_THAT(Selected(0), ElementsAre(0, 1, 2, 3)) << "from the step before to this one";

    // A plain press on a selected step keeps the group; on an unselected one it starts over,
    // on every line.
    Click(Lane(), OnLane(1));
    EXPECT_THAT(Selected(0), ElementsAre(0, 1, 2, 3));
    Doc().SetSelection(0, false);
    Click(Lane(), OnLane(0), Qt::ControlModifier);
    Click(Lane(), OnLane(3));
    EXPECT_THAT(Selected(0), ElementsAre(3));
    EXPECT_TRUE(Selected(1).empty());
}

TEST_F(LaneTest, BrightnessDragClampsEachStepAndTheReleaseSetsTheDraggedRow)
{
    StartShow({{0, 1000, 0x0000FF, 200, true}, {0, 2000, 0x0000FF, 100, true}});
    const int h = Lane()->height();
    const QPoint start = OnLane(0);
    Press(Lane(), start);
    ASSERT_EQ(Edit().Drag(), DragKind::Brightness);
    Move(Lane(), {start.x(), 0});
    EXPECT_EQ(Doc().Lines[0][0].Brightness, 255);
    EXPECT_EQ(Doc().Lines[0][1].Brightness, 155) << "the others keep their difference";
    Move(Lane(), {start.x(), h - 1});
    EXPECT_EQ(Doc().Lines[0][1].Brightness, -255) << "each clamped on its own";
    Release(Lane(), {start.x(), h - 1});
    EXPECT_EQ(Doc().Lines[0][0].Brightness, BrightnessOfRow(h - 1, h));
    EXPECT_EQ(Doc().Lines[0][1].Brightness, -255) << "the group lost its difference";
    EXPECT_EQ(Edit().Drag(), DragKind::None);
    EXPECT_EQ(Doc().UndoList.size(), 1u);
    Doc().Undo();
    EXPECT_EQ(Doc().Lines[0][1].Brightness, 100) << "one snapshot undoes the whole drag";
}

struct TimeDragCase {
    const char* name;
    Qt::KeyboardModifiers keys;
    int32_t to;
    std::vector<int32_t> times; // afterwards
};

void PrintTo(const TimeDragCase& c, std::ostream* os) { *os << c.name; }

class LaneTimeDragTest : public LaneTest, public ::testing::WithParamInterface<TimeDragCase> {};

// The step at 1000 dragged with Shift toward its unselected neighbour at 2000.
TEST_P(LaneTimeDragTest, TimeDrag)
{
    const TimeDragCase c = GetParam();
    StartShow({{0, 1000, 0x0000FF, 0, true}, {0, 2000}});
    Press(Lane(), OnLane(0), Qt::ShiftModifier | c.keys);
    ASSERT_EQ(Edit().Drag(), DragKind::Time);
    EXPECT_NE(form->View().StepLineX(), ViewState::NoStepLine) << "the dotted line marks the step";
    const int y = OnLane(0).y();
    const int step = X(c.to) > X(1000) ? 10 : -10;
    for (int x = X(1000) + step; x != X(c.to); x += step)
        Move(Lane(), {x, y}, Qt::ShiftModifier | c.keys);
    Move(Lane(), {X(c.to), y}, Qt::ShiftModifier | c.keys);
    Release(Lane(), {X(c.to), y}, Qt::ShiftModifier | c.keys);
    EXPECT_EQ(Times(0), c.times);
    EXPECT_EQ(form->View().StepLineX(), ViewState::NoStepLine);
    EXPECT_EQ(Doc().UndoList.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LaneTimeDragTest,
    ::testing::Values(TimeDragCase{"PastTheNeighbourLandsAtThePointer", {}, 2500, {2000, 2500}},
                      TimeDragCase{"OntoTheNeighbourLandsOnIt", {}, 2000, {2000, 2000}},
                      TimeDragCase{"WithAltStopsShortOfIt", Qt::AltModifier, 2500, {1999, 2000}},
                      TimeDragCase{"IntoTheLeadInStopsAtItsStart", {}, -1000, {-1000, 2000}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LaneTest, ShiftSwitchesBetweenTheTwoDragsWhileTheButtonIsHeld)
{
    StartShow({{0, 1000, 0x0000FF, 0, true}});
    const QPoint p = OnLane(0);
    Press(Lane(), p);
    // A brightness drag takes only moves that change the row, a time drag only those that
    // change the column.
    Move(Lane(), p + QPoint(30, 0), Qt::ShiftModifier);
    EXPECT_EQ(Edit().Drag(), DragKind::Brightness);
    Move(Lane(), p + QPoint(30, 1), Qt::ShiftModifier);
    EXPECT_EQ(Edit().Drag(), DragKind::Time) << "the first move with Shift only switches";
    EXPECT_EQ(Times(0), std::vector<int32_t>{1000});
    Move(Lane(), p + QPoint(40, 1), Qt::ShiftModifier);
    EXPECT_EQ(Times(0), std::vector<int32_t>{form->View().TimeOfX(p.x() + 40)});
    Move(Lane(), p + QPoint(41, -20));
    EXPECT_EQ(Edit().Drag(), DragKind::Brightness);
    EXPECT_EQ(Doc().Lines[0][0].Brightness, 0);
    Move(Lane(), p + QPoint(41, -25));
    EXPECT_EQ(Doc().Lines[0][0].Brightness, BrightnessOfRow(p.y() - 25, Lane()->height()));
    Release(Lane(), p + QPoint(41, -25));
    EXPECT_EQ(Doc().UndoList.size(), 1u);
}

TEST_F(LaneTest, TheWheelActsOnTheCurrentStepAndTheSelectionPerWholeNotch)
{
    StartShow({{0, 1000, 0x0000FF, 10}, {0, 2000, 0x0000FF, 10, true}, {1, 500, 0x0000FF, 10, true}});
    // A right press makes the step current without selecting it.
    Click(Lane(), OnLane(0), {}, Qt::RightButton);
    form->PopupMenu(1)->hide();
    ASSERT_EQ(Edit().CurrentStep(), 0);
    ASSERT_FALSE(Doc().Lines[0][0].Selected);
    Wheel(Lane(), OnLane(0), 120);
    EXPECT_EQ(Doc().Lines[0][0].Brightness, 14);
    EXPECT_EQ(Doc().Lines[0][1].Brightness, 14);
    EXPECT_EQ(Doc().Lines[1][0].Brightness, 14) << "selected steps of every line";
    Wheel(Lane(), OnLane(0), -120, Qt::ShiftModifier);
    EXPECT_EQ(Doc().Lines[0][0].Brightness, -2);
    EXPECT_EQ(Panel(2), "明暗=  -2");
    // A touchpad's small steps: one action per 120 units.
    for (int i = 0; i < 3; ++i)
        Wheel(Lane(), OnLane(0), 50);
    EXPECT_EQ(Doc().Lines[0][0].Brightness, 2);
    EXPECT_TRUE(Doc().UndoList.empty()) << "the wheel takes no snapshot";

    // Nothing current, nothing selected: nothing changes, yet the show is marked.
    Doc().SetSelection(0, true);
    Click(Lane(), {X(3500), 5});
    ASSERT_TRUE(Doc().SaveProject(false));
    Wheel(Lane(), {X(3500), 5}, 120);
    EXPECT_EQ(Doc().Lines[0][0].Brightness, 2);
    EXPECT_TRUE(Doc().Modified);
}

TEST_F(LaneTest, ADoubleClickOpensTheColourDialogAndTheNextPressDragsAgain)
{
    StartShow({{0, 1000, 0x0000FF, 0}, {0, 3000}});
    dialogs.colors = {0x00FF00};
    DoubleClick(Lane(), OnLane(0));
    ASSERT_EQ(dialogs.colorCaptions, std::vector<std::string>{"基点の色指定(C)..."});
    EXPECT_EQ(Doc().Lines[0][0].Color, 0x00FF00u);
    EXPECT_EQ(Edit().Drag(), DragKind::None) << "the double-click's own press starts no drag";
    EXPECT_FALSE(Edit().StepPressIgnored());
    EXPECT_FALSE(Edit().EmptyPressIgnored());

    const size_t undo = Doc().UndoList.size();
    const QPoint p = OnLane(0);
    Press(Lane(), p);
    EXPECT_EQ(Edit().Drag(), DragKind::Brightness) << "the guard did not swallow a real press";
    Move(Lane(), p + QPoint(0, -20));
    Release(Lane(), p + QPoint(0, -20));
    EXPECT_GT(Doc().Lines[0][0].Brightness, 0);
    EXPECT_EQ(Doc().UndoList.size(), undo + 1);

    // A double-click beside the box: neither guard outlives its press.
    DoubleClick(Lane(), p + QPoint(0, 40));
    Press(Lane(), OnLane(1));
    EXPECT_EQ(Edit().Drag(), DragKind::Brightness);
    Release(Lane(), OnLane(1));
    Click(Lane(), {X(2000), 10});
    EXPECT_TRUE(Selected(0).empty());
}

TEST_F(LaneTest, WithoutLiveDisplayADragShowsTheBoxesWhereTheyWereUntilTheRelease)
{
    for (bool tracking : {false, true}) {
        StartShow({{0, 1000, PackColor(0, 255, 0), 0}}, tracking ? "[General]\nDispTracking=1\n" : "");
        const QPoint p = OnLane(0);
        auto green = [this](QPoint at) {
            QImage image(Lane()->size(), QImage::Format_RGB32);
            Lane()->render(&image);
            return image.pixelColor(at) == QColor(0, 255, 0);
        };
        Press(Lane(), p);
        Move(Lane(), p + QPoint(0, -60));
        const int32_t dragged = Doc().Lines[0][0].Brightness;
        EXPECT_GT(dragged, 0) << "the document follows the pointer either way";
        EXPECT_EQ(green(p), !tracking) << tracking;
        EXPECT_EQ(form->ColourBarPane()->BrightnessSlider()->value(), tracking ? dragged : 0) << tracking;
        Release(Lane(), p + QPoint(0, -60));
        EXPECT_FALSE(green(p)) << "the release shows the step where it is";
        form->close();
        form.reset();
    }
}

TEST_F(LaneTest, WithoutASoundNothingIsPaintedOrPressed)
{
    StartShow({{0, 1000}});
    Sound().ClearSummary();
    form->ApplyScale();
    Click(Lane(), OnLane(0));
    EXPECT_EQ(Edit().CurrentStep(), -1);
    QImage image(Lane()->size(), QImage::Format_RGB32);
    Lane()->render(&image);
    EXPECT_EQ(image.pixelColor(OnLane(0)), Lane()->palette().color(QPalette::Window));
}

TEST_F(LaneTest, PaintsTheBandBoxesAndRedFrames)
{
    StartShow({{0, 1000, 0x00FF00, 0}, {0, 2000, 0x00FF00, 0, true}});
    Click(Lane(), {X(3000), 5}, {}, Qt::RightButton); // nothing current
    form->PopupMenu(2)->hide();
    QImage image(Lane()->size(), QImage::Format_RGB32);
    Lane()->render(&image);
    const int mid = Lane()->height() / 2;
    EXPECT_EQ(image.pixelColor(X(1500), mid - 8), QColor(0, 255, 0)) << "the band, 16 rows high";
    EXPECT_EQ(image.pixelColor(X(1500), mid + 7), QColor(0, 255, 0));
    EXPECT_NE(image.pixelColor(X(1500), mid + 8), QColor(0, 255, 0));
    EXPECT_EQ(image.pixelColor(X(1000), mid), QColor(0, 255, 0)) << "the box's middle";
    EXPECT_EQ(image.pixelColor(X(2000) - 9, mid), QColor(255, 0, 0)) << "the selected step's red frame";
    EXPECT_NE(image.pixelColor(X(1000) - 9, mid), QColor(255, 0, 0));
}

} // namespace
