// The reference view in the window: its layout in both modes, the header click, the menu
// with the multi-line commands, selection across lines by row and by rubber band.
#include "editor/actions.h"
#include "editor/canvas_fixture.h"
#include "editor/canvas_rows.h"
#include "editor/edit_state.h"
#include "editor/panes/reference_header.h"
#include "editor/panes/reference_view.h"
#include "editor/step_geometry.h"
#include "editor/view_state.h"

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QSplitter>
#include <QTabBar>

#include <fstream>

#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace {

const char* const AllLinesIni = "[General]\nViewRefTrack=1\nRefTrack=-2\nRefTrackHi=80\n";

class ReferenceViewTest : public CanvasTest {
protected:
    CanvasRows* Rows() { return form->Rows(); }
    QAction* MenuItem(const QString& text)
    {
        for (QAction* a : form->ReferenceMenu()->actions())
            if (a->text() == text)
                return a;
        return nullptr;
    }
    // Shows the menu as the view's right press does, and closes it again.
    void ShowMenu()
    {
        Click(Ref(), {10, 10}, {}, Qt::RightButton);
        ASSERT_TRUE(form->ReferenceMenu()->isVisible());
        form->ReferenceMenu()->hide();
    }
    int Row(int line) { return AllLinesLayout(Ref()->height()).Centre(line); }
};

TEST_F(ReferenceViewTest, LaysOutBothModesAndHidingKeepsTheMode)
{
    StartShow({}, AllLinesIni);
    EXPECT_EQ(Ref()->height(), 80);
    // At 80 pixels: rows 9 apart, centre lines at 6, 15, ..., 69.
    const AllLinesRows rows = AllLinesLayout(80);
    EXPECT_EQ(rows.RowHeight, 9);
    EXPECT_EQ(rows.BandHalf, 4);
    EXPECT_EQ(rows.BoxHalf, 4);
    EXPECT_EQ(rows.Centre(0), 6);
    EXPECT_EQ(rows.Centre(7), 69);
    EXPECT_TRUE(Rows()->ReferenceHeaderPane()->RowLabel(7)->isVisibleTo(form.get()));
    EXPECT_EQ(Rows()->ReferenceHeaderPane()->Caption(), "");

    MenuItem("Line 3")->trigger();
    EXPECT_EQ(Rows()->ReferenceHeaderPane()->Caption(), "Line 3");
    EXPECT_FALSE(Rows()->ReferenceHeaderPane()->RowLabel(0)->isVisibleTo(form.get()));
    MenuItem("非表示(&N)")->trigger();
    EXPECT_FALSE(Rows()->RefVisible());
    EXPECT_LE(Ref()->height(), 2);
    form->Actions().Trigger(Command::ShowReferenceLine);
    EXPECT_TRUE(Rows()->RefVisible());
    EXPECT_EQ(Rows()->RefMode(), 2) << "showing again returns to the last mode";
    EXPECT_EQ(Ref()->height(), 80);

    // The splitter sets the height, and the height is stored.
    Rows()->ReferenceSplitter()->setSizes({Rows()->ReferenceSplitter()->sizes()[0] - 20, 100});
    emit Rows()->ReferenceSplitter()->splitterMoved(0, 1);
    EXPECT_EQ(Rows()->RefHeight(), 100);
    form->close();
    std::ifstream in(dir / "lumenrill.INI");
    const std::string ini((std::istreambuf_iterator<char>(in)), {});
    EXPECT_THAT(ini, ::testing::HasSubstr("RefTrack=2"));
    EXPECT_THAT(ini, ::testing::HasSubstr("RefTrackHi=100"));
}

TEST_F(ReferenceViewTest, HeaderClickCyclesTheLineAndClearsTheSelection)
{
    StartShow({{3, 500, 0x00FF00, 0, true}}, "[General]\nViewRefTrack=1\nRefTrack=6\n");
    ReferenceHeader* header = Rows()->ReferenceHeaderPane();
    Click(header, {10, 10});
    EXPECT_EQ(header->Caption(), "Line 8");
    EXPECT_TRUE(Selected(3).empty());
    Click(header, {10, 10});
    EXPECT_EQ(header->Caption(), "Line 1");
    EXPECT_EQ(Rows()->RefMode(), 0);

    MenuItem("全ラインカラー表示(&A)")->trigger();
    Doc().SelectSteps(std::vector<StepPos>{{3, 0}});
    Click(header, {10, 10});
    EXPECT_EQ(Rows()->RefMode(), ReferenceView::AllLines) << "no cycling in the all-lines mode";
    EXPECT_THAT(Selected(3), ElementsAre(0));
}

TEST_F(ReferenceViewTest, TheMultiLineCommandsShowOnlyWithAllLines)
{
    StartShow({{0, 500, 0x0000FF, 0, true}, {2, 800, 0x00FF00, 0, true}}, "[General]\nViewRefTrack=1\n");
    ShowMenu();
    EXPECT_FALSE(form->Actions().Get(Command::CutLines)->isVisible());
    EXPECT_TRUE(MenuItem("Line 1")->isChecked());
    MenuItem("全ラインカラー表示(&A)")->trigger();
    ShowMenu();
    EXPECT_TRUE(form->Actions().Get(Command::CutLines)->isVisible());
    EXPECT_TRUE(MenuItem("全ラインカラー表示(&A)")->isChecked());
    EXPECT_FALSE(MenuItem("非表示(&N)")->isChecked());

    form->Actions().Get(Command::CutLines)->trigger();
    EXPECT_TRUE(Times(0).empty());
    EXPECT_TRUE(Times(2).empty());
    form->Actions().Trigger(Command::PasteLines);
    EXPECT_EQ(Doc().Lines[0].size() + Doc().Lines[2].size(), 2u);

    // The stretch factors: a fraction stretches, letters or too large a factor do nothing.
    Doc().SetSelection(1, true);
    const std::vector<int32_t> before = Times(2);
    dialogs.texts = {std::string("abc"), std::string("11")};
    form->Actions().Trigger(Command::StretchTime);
    form->Actions().Trigger(Command::StretchTime);
    EXPECT_EQ(Times(2), before);
}

TEST_F(ReferenceViewTest, RowPressesPickLinesAndSelectAcrossThem)
{
    StartShow({{0, 500}, {0, 1500}, {2, 500}, {2, 2500}, {5, 1000}}, AllLinesIni);
    // Without a selection a row press acts as the tab does.
    Click(Ref(), {X(500), Row(2)});
    EXPECT_EQ(Doc().CurrentLine, 2);
    EXPECT_EQ(Rows()->LineTabs()->currentIndex(), 2);
    EXPECT_EQ(Edit().CurrentStep(), 0);
    EXPECT_THAT(Selected(2), ElementsAre(0));
    // With a selection a press on another line keeps it, so steps gather with Ctrl.
    Click(Ref(), {X(1000), Row(5)}, Qt::ControlModifier);
    EXPECT_EQ(Doc().CurrentLine, 5);
    EXPECT_THAT(Selected(2), ElementsAre(0));
    EXPECT_THAT(Selected(5), ElementsAre(0));
    // Ctrl and Shift together change nothing; a press beside every step deselects all.
    Click(Ref(), {X(1000), Row(5)}, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_THAT(Selected(5), ElementsAre(0));
    Click(Ref(), {X(3500), Row(5)});
    EXPECT_EQ(Edit().CurrentStep(), -1);
    EXPECT_TRUE(Selected(2).empty() && Selected(5).empty());

    // Below the eighth row nothing happens.
    Click(Ref(), {X(500), 8 * AllLinesLayout(Ref()->height()).RowHeight + 1});
    EXPECT_EQ(Doc().CurrentLine, 5);

    // A band takes steps whose centre point lies inside, not whole boxes; the first line
    // with a newly selected step becomes current.
    Press(Ref(), {X(500) - 20, Row(0) - 1});
    Move(Ref(), {X(2500) + 1, Row(2) + 1});
    Release(Ref(), {X(2500) + 1, Row(2) + 1});
    EXPECT_THAT(Selected(0), ElementsAre(0, 1));
    EXPECT_THAT(Selected(2), ElementsAre(0, 1));
    EXPECT_TRUE(Selected(5).empty());
    EXPECT_EQ(Doc().CurrentLine, 0);
    EXPECT_EQ(Rows()->LineTabs()->currentIndex(), 0);
    EXPECT_EQ(Panel(3), "選択中=4");
}

TEST_F(ReferenceViewTest, PaintsRowsWithTheirBandsAndSelectedBoxesFramed)
{
    StartShow({{1, 500, 0x00FF00, 0, true}, {1, 3000, 0x00FF00}, {4, 500, 0xFF0000}}, AllLinesIni);
    QImage image(Ref()->size(), QImage::Format_RGB32);
    Ref()->render(&image);
    EXPECT_EQ(image.pixelColor(X(2000), Row(1)), QColor(0, 255, 0));
    EXPECT_EQ(image.pixelColor(X(2000), Row(4) + 3), QColor(0, 0, 255)) << "0xFF0000 is blue";
    EXPECT_EQ(image.pixelColor(X(500) - 5, Row(1)), QColor(255, 0, 0)) << "a selected step's red frame";
    EXPECT_NE(image.pixelColor(X(3000) - 5, Row(1)), QColor(255, 0, 0));
}

} // namespace
