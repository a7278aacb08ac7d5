// The view state: zoom commands that keep the play cursor in place, paging, and a scroll
// bar bound both ways.
#include "editor/view_state.h"

#include <QScrollBar>

#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>
#include <vector>

namespace {

// A ten-minute sound with 10 s of lead-in and run-out in a 1000-pixel viewport.
class ViewStateTest : public testing::Test {
protected:
    void SetUp() override
    {
        view.SetTimeline({10000, 10000, 620000, 60000, true});
        view.SetViewportWidth(1000);
        view.ApplyScale(position);
    }

    int OnScreen() const { return view.PlayCursorX() - view.ScrollPosition(); }

    ViewState view;
    int32_t position = 300000;
};

} // namespace

TEST_F(ViewStateTest, EveryZoomKeepsThePlayCursorWhereItIsOnScreen)
{
    view.SetScrollPosition(view.PlayCursorX() - 400);
    ASSERT_EQ(OnScreen(), 400);
    while (view.ZoomIn(position)) {
        SCOPED_TRACE(view.Scale());
        EXPECT_LE(std::abs(OnScreen() - 400), 1); // whole pixels of time on both sides
    }
    EXPECT_DOUBLE_EQ(view.Scale(), 4.0);
    EXPECT_FALSE(view.ZoomInEnabled());
    while (view.ZoomOut(position)) {
        SCOPED_TRACE(view.Scale());
        if (view.ScrollPosition() > 0)
            EXPECT_LE(std::abs(OnScreen() - 400), 1);
        else
            EXPECT_LE(view.PlayCursorX(), 401); // the canvas start holds the view back
    }
    EXPECT_DOUBLE_EQ(view.Scale(), 0.001);
    ASSERT_TRUE(view.ZoomFit(position));
    EXPECT_DOUBLE_EQ(view.Scale(), 1000.0 / 62000);
    EXPECT_EQ(view.ScrollRange(), 1000);
    EXPECT_EQ(view.ScrollPosition(), 0);
}

TEST_F(ViewStateTest, ZoomWithoutSoundDoesNothing)
{
    view.SetTimeline({10000, 10000, 20000, 0, false});
    view.ApplyScale(0);
    int changes = 0;
    QObject::connect(&view, &ViewState::scaleChanged, [&] { ++changes; });
    EXPECT_FALSE(view.ZoomIn(0));
    EXPECT_FALSE(view.ZoomOut(0));
    EXPECT_FALSE(view.ZoomFit(0));
    EXPECT_DOUBLE_EQ(view.Scale(), ViewState::InitialScale);
    EXPECT_EQ(changes, 0);
}

TEST_F(ViewStateTest, PlayCursorMovesAndPagesWhilePlaying)
{
    std::vector<std::pair<int, int>> moves;
    QObject::connect(&view, &ViewState::playCursorMoved, [&](int from, int to) { moves.emplace_back(from, to); });
    const int start = view.PlayCursorX();
    view.SetScrollPosition(start - 990);
    EXPECT_FALSE(view.MovePlayCursor(position + 200, false)); // +5 px, stopped
    EXPECT_FALSE(view.MovePlayCursor(position + 200, true));  // unchanged
    EXPECT_TRUE(view.MovePlayCursor(position + 800, true));   // 1010 px from the left edge
    EXPECT_EQ(view.ScrollPosition(), start - 990 + 1000);
    EXPECT_EQ(moves, (std::vector<std::pair<int, int>>{{start, start + 5}, {start + 5, start + 20}}));
}

TEST_F(ViewStateTest, StepLineReportsOldAndNew)
{
    std::vector<std::pair<int, int>> moves;
    QObject::connect(&view, &ViewState::stepLineMoved, [&](int from, int to) { moves.emplace_back(from, to); });
    view.SetStepLineX(300);
    view.SetStepLineX(300);
    view.SetStepLineX(ViewState::NoStepLine);
    EXPECT_EQ(moves, (std::vector<std::pair<int, int>>{{ViewState::NoStepLine, 300}, {300, ViewState::NoStepLine}}));
}

TEST_F(ViewStateTest, ScrollBarFollowsTheViewAndMovesIt)
{
    QScrollBar bar(Qt::Horizontal);
    BindScrollBar(bar, view);
    EXPECT_EQ(bar.maximum(), view.ScrollRange() - 1000);
    EXPECT_EQ(bar.pageStep(), 1000);
    EXPECT_EQ(bar.value(), view.ScrollPosition());

    bar.setValue(5000);
    EXPECT_EQ(view.ScrollPosition(), 5000);
    view.SetScrollPosition(7000);
    EXPECT_EQ(bar.value(), 7000);
    view.SetScrollPosition(1 << 30);
    EXPECT_EQ(view.ScrollPosition(), view.MaxScrollPosition());
    EXPECT_EQ(bar.value(), view.MaxScrollPosition());

    // Zooming out shrinks the range below the old position; the new position must survive
    // the bar limiting its old value to the new range.
    view.SetScrollPosition(view.PlayCursorX() - 400);
    ASSERT_TRUE(view.ZoomOut(position));
    EXPECT_EQ(bar.maximum(), view.MaxScrollPosition());
    EXPECT_EQ(view.PlayCursorX() - view.ScrollPosition(), 400);
    EXPECT_EQ(bar.value(), view.ScrollPosition());

    view.SetViewportWidth(1500);
    EXPECT_EQ(bar.pageStep(), 1500);
    EXPECT_EQ(bar.maximum(), view.ScrollRange() - 1500);
    EXPECT_DOUBLE_EQ(view.FitScale(), 1500.0 / 62000);
}
