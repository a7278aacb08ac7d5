// The colour bar in the window: the labels with and without a current step, painting a
// colour from the palette, the brightness track bar and its "0", and the line menu.
#include "dialogs/palette_box.h"
#include "dialogs/standard_palette.h"
#include "editor/actions.h"
#include "editor/canvas_fixture.h"
#include "editor/canvas_rows.h"
#include "editor/edit_state.h"
#include "editor/panes/colour_bar.h"
#include "editor/panes/lane_view.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QSlider>
#include <QTabBar>

#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace {

class ColourBarTest : public CanvasTest {
protected:
    ColourBar* Bar4() { return form->ColourBarPane(); }
    PaletteBox* Palette() { return Bar4()->Swatches(); }
    QSlider* Slider() { return Bar4()->BrightnessSlider(); }
    // A right press on the lane makes a step current without a drag or a selection.
    void MakeCurrent(int index)
    {
        Click(Lane(), OnLane(index), {}, Qt::RightButton);
        form->PopupMenu(1)->hide();
    }
};

TEST_F(ColourBarTest, WithoutACurrentStepTheBarShowsNothingAndIgnoresThePointer)
{
    StartShow({{0, 1000, PackColor(10, 20, 30), 40}});
    for (int c = 0; c < 3; ++c)
        EXPECT_EQ(Bar4()->ValueLabel(c)->text(), "---");
    EXPECT_EQ(Bar4()->BaseColor(), NoColor);
    EXPECT_EQ(Bar4()->OutputColor(), NoColor);
    EXPECT_FALSE(Slider()->isEnabled());
    form->Actions().Update();
    EXPECT_FALSE(form->Actions().Get(Command::ZeroBrightness)->isEnabled());
    Click(Palette(), {5, 5});
    EXPECT_TRUE(Doc().UndoList.empty());
    EXPECT_FALSE(Doc().Modified);

    MakeCurrent(0);
    EXPECT_EQ(Bar4()->ValueLabel(0)->text(), "R 10");
    EXPECT_EQ(Bar4()->ValueLabel(2)->text(), "B 30");
    EXPECT_EQ(Bar4()->BaseColor(), PackColor(10, 20, 30));
    EXPECT_EQ(Bar4()->OutputColor(), ApplyBrightness(PackColor(10, 20, 30), 40));
    EXPECT_EQ(Bar4()->LineLabel()->text(), "Line1");
    EXPECT_TRUE(Slider()->isEnabled());
    EXPECT_EQ(Slider()->value(), 40) << "the slider's value is the brightness itself";
}

TEST_F(ColourBarTest, ThePalettesColoursComeFromItsFormulaAndStayInsideIt)
{
    StartShow({{0, 1000, 0, 0}});
    MakeCurrent(0);
    Click(Palette(), {30, 12});
    EXPECT_EQ(Doc().Lines[0][0].Color, StandardPaletteColor(30, 12, 48, 48));
    EXPECT_EQ(Doc().UndoList.size(), 1u);
    EXPECT_TRUE(Doc().Modified);

    // Dragged far outside, the pick point stays on the palette's edge; no more snapshots.
    Press(Palette(), {10, 10});
    Move(Palette(), {-40, 200});
    EXPECT_EQ(Doc().Lines[0][0].Color, StandardPaletteColor(0, 47, 48, 48));
    Move(Palette(), {90, -5});
    EXPECT_EQ(Doc().Lines[0][0].Color, StandardPaletteColor(47, 0, 48, 48));
    Release(Palette(), {90, -5});
    EXPECT_EQ(Doc().UndoList.size(), 2u);
}

TEST_F(ColourBarTest, TheSliderWritesWithoutUndoAndTheZeroKeyWithIt)
{
    StartShow({{0, 1000, 0x0000FF, 40}, {0, 2000, 0x0000FF, 40}, {0, 3000, 0x0000FF, -90}});
    MakeCurrent(0);
    ASSERT_TRUE(Doc().SaveProject(false));
    MakeCurrent(1);
    EXPECT_FALSE(Doc().Modified) << "the slider already stood at this brightness";
    MakeCurrent(2);
    EXPECT_TRUE(Doc().Modified) << "the slider moved, and its change re-wrote the brightness";
    EXPECT_EQ(Doc().Lines[0][2].Brightness, -90);

    Slider()->setValue(100);
    EXPECT_EQ(Doc().Lines[0][2].Brightness, 100);
    EXPECT_EQ(Panel(2), "明暗= 100");
    EXPECT_TRUE(Doc().UndoList.empty());

    Slider()->setFocus();
    QKeyEvent zero(QEvent::KeyPress, Qt::Key_0, Qt::NoModifier, "0");
    QApplication::sendEvent(Slider(), &zero);
    EXPECT_EQ(Doc().Lines[0][2].Brightness, 0);
    EXPECT_EQ(Slider()->value(), 0);
    EXPECT_EQ(Doc().UndoList.size(), 1u);
    EXPECT_EQ(Panel(2), "明暗=   0");
}

TEST_F(ColourBarTest, ADoubleClickOnThePaletteOpensTheDialogAndLeavesNoGuard)
{
    StartShow({{0, 1000, 0x0000FF, 0}});
    MakeCurrent(0);
    dialogs.colors = {0x00FF00};
    DoubleClick(Palette(), {20, 20});
    EXPECT_EQ(dialogs.colorCaptions.size(), 1u);
    EXPECT_EQ(Doc().Lines[0][0].Color, 0x00FF00u) << "the dialog's colour, not the second press's";
    EXPECT_FALSE(Edit().StepPressIgnored());
    Press(Lane(), OnLane(0));
    EXPECT_EQ(Edit().Drag(), DragKind::Brightness);
    Release(Lane(), OnLane(0));
}

TEST_F(ColourBarTest, TheLineMenuKeepsTheSelectionAndTheTabsClearIt)
{
    StartShow({{0, 1000, 0x0000FF, 0, true}, {2, 1000}});
    QMenu* menu = form->LineMenu();
    menu->popup({0, 0});
    EXPECT_TRUE(menu->actions()[0]->isChecked());
    menu->hide();
    menu->actions()[2]->trigger();
    EXPECT_EQ(Doc().CurrentLine, 2);
    EXPECT_EQ(form->Rows()->LineTabs()->currentIndex(), 2);
    EXPECT_EQ(Bar4()->LineLabel()->text(), "Line3");
    EXPECT_THAT(Selected(0), ElementsAre(0));
    form->Rows()->LineTabs()->setCurrentIndex(1);
    EXPECT_EQ(Doc().CurrentLine, 1);
    EXPECT_TRUE(Selected(0).empty());
    EXPECT_EQ(Edit().CurrentStep(), -1);
}

} // namespace
