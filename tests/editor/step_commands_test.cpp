// The step commands in the window: adding a step at the play cursor, colouring the current
// and selected steps with the real dialog previewed on the lights, and typed step times.
#include "dialogs/step_colour_dialog.h"
#include "editor/actions.h"
#include "editor/canvas_fixture.h"
#include "editor/edit_state.h"
#include "editor/panes/lane_view.h"
#include "editor/view_state.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gmock/gmock.h>

namespace {

class StepCommandsTest : public CanvasTest {
protected:
    // Line 1's colour in the newest DMX frame sent (slots 1 to 3 through the patch).
    uint32_t FrameColour()
    {
        const std::vector<Bytes> sent = net.SentWithOpCode(0x5000);
        if (sent.empty() || sent.back().size() < 21)
            return 0xFFFFFFFF;
        const Bytes& p = sent.back();
        return PackColor(p[18], p[19], p[20]);
    }
    bool WaitFor(const std::function<bool()>& done) { return QTest::qWaitFor(done, 3000); }
};

TEST_F(StepCommandsTest, TheColourDialogPreviewsOnTheLightsUntilItCloses)
{
    StartShow({{0, -1000, PackColor(0, 255, 0), 0}}, {}, false);
    ASSERT_TRUE(WaitFor([this] { return FrameColour() == PackColor(0, 255, 0); }));
    Click(Lane(), OnLane(0), {}, Qt::RightButton);
    form->PopupMenu(1)->hide();

    StepColourDialog* dialog = form->ColourDialog();
    bool previewed = false;
    QTimer::singleShot(0, dialog, [&] {
        EXPECT_EQ(dialog->windowTitle(), "基点の色指定(C)...");
        dialog->ValueEdit(0)->setText("255");
        dialog->ValueEdit(1)->setText("0");
        dialog->ValueEdit(2)->setText("300"); // 44 in the low 8 bits
        previewed = WaitFor([this] { return FrameColour() == PackColor(255, 0, 44); });
        dialog->findChild<QPushButton*>("CancelBtn")->click();
    });
    form->Actions().Trigger(Command::StepColour);
    EXPECT_TRUE(previewed) << "the lights showed the dialog's colour while it was open";
    EXPECT_EQ(S().State().PreviewColor, NoColor) << "cleared as the dialog closed";
    EXPECT_TRUE(WaitFor([this] { return FrameColour() == PackColor(0, 255, 0); }));
    EXPECT_EQ(Doc().Lines[0][0].Color, PackColor(0, 255, 0)) << "Cancel changed nothing";

    QTimer::singleShot(0, dialog, [&] {
        dialog->ValueEdit(2)->setText("200");
        dialog->findChild<QPushButton*>("OKBtn")->click();
    });
    form->Actions().Trigger(Command::StepColour);
    EXPECT_EQ(Doc().Lines[0][0].Color, PackColor(0, 255, 200));
    EXPECT_EQ(S().State().PreviewColor, NoColor);
}

TEST_F(StepCommandsTest, AddStepGoesToThePlayCursorAndItsNextPressStartsNoDrag)
{
    StartShow({{0, 3000}});
    EngineState& s = Engine();
    S().Player().ScrubTo(0);
    form->DisplayTick();
    form->Actions().Update();
    EXPECT_FALSE(form->Actions().Get(Command::AddStep)->isEnabled()) << "no current step and the position at 0";

    S().Player().ScrubTo(1500);
    form->DisplayTick();
    dialogs.colors = {PackColor(1, 2, 3)};
    ASSERT_TRUE(form->Actions().Trigger(Command::AddStep));
    EXPECT_EQ(dialogs.colorCaptions.back(), "基点の追加(A)...");
    EXPECT_THAT(Times(0), ::testing::ElementsAre(form->View().TimeOfX(form->View().PlayCursorX()), 3000));
    EXPECT_EQ(Doc().Lines[0][0].Color, PackColor(1, 2, 3));
    EXPECT_EQ(Doc().Lines[0][0].Brightness, 0);
    EXPECT_EQ(s.Play.PlayPosition, 1500);

    const size_t undo = Doc().UndoList.size();
    Press(Lane(), OnLane(1));
    EXPECT_EQ(Edit().Drag(), DragKind::None) << "the press after the dialog starts no drag";
    Release(Lane(), OnLane(1));
    EXPECT_EQ(Doc().UndoList.size(), undo);

    // The colour command with nothing current and nothing selected adds a step instead.
    Doc().SetSelection(0, true);
    Click(Lane(), {X(2500), 5});
    dialogs.colors = {std::nullopt};
    form->Actions().Trigger(Command::StepColour);
    form->Actions().Update();
    EXPECT_FALSE(form->Actions().Get(Command::StepColour)->isEnabled());
    S().FocusStep(0, StepFocus::Quiet);
    form->Actions().Trigger(Command::StepColour);
    EXPECT_EQ(dialogs.colorCaptions.back(), "基点の色指定(C)...");
}

TEST_F(StepCommandsTest, TypedTimesGoToEverySelectedStepAndOutOfRangeTimesBeep)
{
    StartShow({{0, 1500, 0x0000FF, 0, true}, {0, 2500, 0x0000FF, 0, true}, {0, 3500}, {2, 800, 0x0000FF, 0, true}});
    dialogs.times = {int64_t{2000}};
    ASSERT_TRUE(form->Actions().Trigger(Command::StepTime));
    EXPECT_EQ(dialogs.timeStarts.back(), 800) << "the earliest selected step without a current one";
    EXPECT_EQ(Times(0), (std::vector<int32_t>{2000, 2000, 3500}));
    EXPECT_EQ(Times(2), std::vector<int32_t>{2000});
    EXPECT_EQ(Doc().UndoList.size(), 1u);

    // Beyond the sound, before it, and hours that overflow 32 bits of milliseconds.
    const int64_t refused[] = {4001, -10, int64_t{999999} * 3600000, int64_t{1193} * 3600000 + 294967};
    for (int64_t t : refused) {
        messages.entries.clear();
        dialogs.times = {t};
        form->Actions().Trigger(Command::StepTime);
        ASSERT_EQ(messages.entries.size(), 1u) << t;
        EXPECT_EQ(messages.entries[0].kind, "beep");
        EXPECT_EQ(Times(0), (std::vector<int32_t>{2000, 2000, 3500})) << t;
        EXPECT_EQ(Doc().UndoList.size(), 1u);
    }
    // The current step's time starts the dialog.
    Click(Lane(), OnLane(2), {}, Qt::RightButton);
    form->PopupMenu(1)->hide();
    dialogs.times = {std::nullopt};
    form->Actions().Trigger(Command::StepTime);
    EXPECT_EQ(dialogs.timeStarts.back(), 3500);
}

} // namespace
