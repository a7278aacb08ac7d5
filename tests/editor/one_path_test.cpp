// The editor as one path: a view's request goes through the session, the change comes back
// once, and each pane repaints what the report names and nothing else.
#include "editor/canvas_fixture.h"

#include "editor/actions.h"
#include "editor/canvas_rows.h"
#include "editor/edit_state.h"
#include "editor/panes/lane_view.h"
#include "editor/panes/mark_bar.h"
#include "editor/panes/reference_view.h"
#include "editor/panes/colour_bar.h"
#include "editor/panes/waveform_pane.h"
#include "editor/view_state.h"
#include "monitor/colour_monitor.h"
#include "monitor/colour_tile.h"

#include <QApplication>
#include <QSlider>
#include <QTabBar>
#include <QTest>
#include <QWheelEvent>

#include <map>

namespace {

// Paint events per widget, from the moment it is armed.
class PaintCounter : public QObject {
public:
    std::map<const QObject*, int> paints;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints[watched];
        return false;
    }
    int Of(const QWidget* w) const
    {
        auto it = paints.find(w);
        return it == paints.end() ? 0 : it->second;
    }
};

// Delivers every pending repaint now.
void Flush()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
        QApplication::processEvents();
    }
}

class OnePathTest : public CanvasTest {};

TEST_F(OnePathTest, AColourMonitorTilePicksItsLineAsALineTabDoes)
{
    StartShow({{0, 500}, {0, 1000}, {0, 1500}, {0, 2000}, {4, 500}, {4, 1000}, {4, 1500}, {4, 2000, 0x0000FF, 10}});
    Click(Lane(), OnLane(3));
    ASSERT_EQ(Edit().CurrentStep(), 3);
    ASSERT_EQ(Selected(0), std::vector<int>{3});

    form->Monitor()->show();
    ColourTile* tile = form->Monitor()->Tile(4);
    Click(tile, {5, 5});

    EXPECT_EQ(Doc().CurrentLine, 4);
    EXPECT_EQ(form->Rows()->LineTabs()->currentIndex(), 4) << "the tabs follow";
    EXPECT_EQ(Edit().CurrentStep(), -1) << "no step of the new line is current";
    EXPECT_TRUE(Selected(0).empty()) << "the selection is cleared, as a tab click clears it";

    // Up acts on the current step only: there is none, so no line changes unseen.
    form->Actions().Update();
    QTest::keyClick(Lane(), Qt::Key_Up);
    EXPECT_EQ(Doc().Lines[4][3].Brightness, 10);
    EXPECT_EQ(Doc().Lines[0][3].Brightness, 0);
}

TEST_F(OnePathTest, AStepEditRepaintsThePanesOfItsLineAndNotTheWaveform)
{
    StartShow({{0, 500}, {0, 1000}, {2, 1500}});
    form->Rows()->ChooseReference(2); // the reference view shows line 3
    Flush();
    PaintCounter counter;
    qApp->installEventFilter(&counter);

    S().FocusStep(0, StepFocus::Quiet);
    form->Actions().Trigger(Command::BrightnessUp);
    Flush();
    EXPECT_GE(counter.Of(Lane()), 1);
    EXPECT_GE(counter.Of(Bar()), 1);
    EXPECT_EQ(counter.Of(form->LeftWaveform()), 0) << "a step edit leaves the waveform alone";
    EXPECT_EQ(counter.Of(form->RightWaveform()), 0);
    EXPECT_EQ(counter.Of(Ref()), 0) << "the reference view shows another line";

    // An edit of the line it shows repaints the reference view, and not the lane.
    counter.paints.clear();
    Doc().CurrentLine = 2;
    Flush();
    counter.paints.clear();
    const StepPos step[] = {{2, 0}};
    S().SelectSteps(step);
    S().DeleteStepCommand();
    Flush();
    EXPECT_GE(counter.Of(Ref()), 1);
    EXPECT_EQ(counter.Of(form->LeftWaveform()), 0);
    qApp->removeEventFilter(&counter);
}

TEST_F(OnePathTest, AShownValueIsNeverReadBackAsAnEdit)
{
    StartShow({{0, 1000, 0x0000FF, 40}, {0, 2000, 0x0000FF, -90}});
    Doc().Modified = false;
    const size_t undo = Doc().UndoList.size();
    // Following the play position moves the slider without writing the step.
    S().FocusStep(1, StepFocus::Quiet);
    EXPECT_EQ(form->ColourBarPane()->BrightnessSlider()->value(), -90);
    EXPECT_FALSE(Doc().Modified);
    EXPECT_EQ(Doc().UndoList.size(), undo);
}

// Only the vertical wheel acts: a touchpad's sideways swipe or a tilted wheel changes no
// brightness on the lane and neither scrolls nor zooms on the mark bar.
TEST_F(OnePathTest, ASidewaysScrollChangesNothing)
{
    StartShow({{0, 1000, 0x0000FF, 0, true}});
    S().FocusStep(0, StepFocus::Quiet);
    const int scroll = form->View().ScrollPosition();
    const double scale = form->View().Scale();
    for (QWidget* pane : std::initializer_list<QWidget*>{Lane(), Bar()})
        for (Qt::KeyboardModifiers keys : {Qt::KeyboardModifiers(), Qt::KeyboardModifiers(Qt::ControlModifier)}) {
            QWheelEvent sideways(QPointF(OnLane(0)), pane->mapToGlobal(QPointF(OnLane(0))), QPoint(), QPoint(-240, 0),
                                 Qt::NoButton, keys, Qt::NoScrollPhase, false);
            QApplication::sendEvent(pane, &sideways);
        }
    EXPECT_EQ(Doc().Lines[0][0].Brightness, 0);
    EXPECT_EQ(form->View().ScrollPosition(), scroll);
    EXPECT_EQ(form->View().Scale(), scale);
    Wheel(Lane(), OnLane(0), 120);
    EXPECT_EQ(Doc().Lines[0][0].Brightness, 4) << "the vertical wheel still acts";
}

TEST_F(OnePathTest, ADoubleClickOnAnEmptySpotOfTheMarkBarAddsAStep)
{
    StartShow({{0, 3000}});
    S().Player().ScrubTo(1500);
    form->DisplayTick();
    dialogs.colors = {0x00FF00};
    DoubleClick(Bar(), {X(1000), 30});
    ASSERT_EQ(dialogs.colorCaptions.size(), 1u) << "the step colour command fell back to Add step";
    EXPECT_EQ(dialogs.colorCaptions.back(), "基点の追加(A)...");
    EXPECT_EQ(Doc().Lines[0].size(), 2u);
}

} // namespace
