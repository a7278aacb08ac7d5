// The command set in the window: every enabling rule, the step-to-step moves, the line copy,
// empty steps, the stretch boxes, the shortcut table of the settings file, the group file
// commands and the extended selection.
#include "dialogs/options_dialog.h"
#include "common/version.h"
#include "dialogs/about_box.h"
#include "dialogs/node_details_dialog.h"
#include "dialogs/extended_selection_dialog.h"
#include "dialogs/sound_properties_box.h"
#include "dialogs/step_colour_dialog.h"
#include "dialogs/step_time_dialog.h"
#include "editor/actions.h"
#include "editor/canvas_fixture.h"
#include "editor/edit_state.h"
#include "editor/panes/waveform_pane.h"
#include "editor/view_state.h"
#include "gui_common/language.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <gmock/gmock.h>

#include <fstream>
#include <functional>

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

class CommandSetTest : public CanvasTest {
protected:
    ActionRegistry& A() { return form->Actions(); }
    // The command stored under key in the shortcut table.
    static Command C(std::string_view key) { return *CommandWithKey(key); }
    bool Enabled(const char* key)
    {
        A().Update();
        return A().Get(C(key))->isEnabled();
    }
    // The show the rules start from: steps at 1000, 2000, 3000 on line 1 and 1500 on line 3,
    // nothing current, selected or copied, no undo, line 1 current, stopped at 1500.
    void Reset()
    {
        EngineState& s = Engine();
        s.StopClock();
        for (int l = 0; l < LineCount; ++l)
            Doc().ClearLine(l);
        Doc().CurrentLine = 0;
        for (int32_t t : {1000, 2000, 3000})
            Doc().AddStep(0x0000FF, 0, t, 0, false);
        Doc().CurrentLine = 2;
        Doc().AddStep(0x00FF00, 0, 1500, 0, false);
        Doc().CurrentLine = 0;
        Doc().LineClipboard.clear();
        Doc().MultiClipboard.clear();
        Doc().ClearUndo();
        Doc().Modified = false;
        S().FocusStep(-1, StepFocus::Quiet);
        SeekTo(1500);
    }
    // Moves the play position and the cursor there, once the tick has taken it.
    void SeekTo(int32_t t)
    {
        S().Player().ScrubTo(t);
        ASSERT_TRUE(QTest::qWaitFor([&] { return S().State().Play.PlayPosition == t; }, 3000)) << t;
        form->DisplayTick();
    }
    // Presses a key as a person does, on the focused window.
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(form.get(), key, modifiers);
        QApplication::processEvents();
    }
    void Activate()
    {
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
};

TEST_F(CommandSetTest, EveryEnablingRule)
{
    StartShow({});
    auto select = [this](int line, int index) {
        const StepPos p[] = {{line, index}};
        Doc().SelectSteps(p);
    };
    struct Rule {
        const char* action;
        const char* state;
        std::function<void()> arrange;
        bool enabled;
    };
    const Rule rules[] = {
        {"NewPrjAction", "stopped", [] {}, true},
        {"NewPrjAction", "clock running", [this] { Engine().StartClock(-500); }, false},
        {"OpenPrjAction", "clock running", [this] { Engine().StartClock(-500); }, false},
        {"SaveAsPrjAction", "stopped", [] {}, true},
        {"SaveAsPrjAction", "clock running", [this] { Engine().StartClock(-500); }, false},
        {"SavePrjAction", "unmodified", [] {}, false},
        {"SavePrjAction", "modified", [this] { Doc().MarkModified(); }, true},
        {"SaveSelGrpAction", "nothing selected", [] {}, false},
        {"SaveSelGrpAction", "a step of another line selected", [&] { select(2, 0); }, true},
        {"LoadGrpAction", "a waveform", [] {}, true},
        {"CutStepAction", "nothing selected", [] {}, false},
        {"CutStepAction", "a step of the line selected", [&] { select(0, 1); }, true},
        {"CutStepAction", "only another line's step selected", [&] { select(2, 0); }, false},
        {"CpyStepAction", "a step of the line selected", [&] { select(0, 1); }, true},
        {"CpyStepAction", "only another line's step selected", [&] { select(2, 0); }, false},
        {"PstStepAction", "empty clipboard", [] {}, false},
        {"PstStepAction", "a copied step", [&] { select(0, 0); Doc().CopySelected(false); }, true},
        {"SelectAllAction", "steps", [] {}, true},
        {"SelectAllAction", "no step", [this] { Doc().ClearLine(0); Doc().ClearLine(2); }, false},
        {"AddStepAction", "position beside every step", [] {}, true},
        {"AddStepAction", "no current step, position 0", [this] { SeekTo(0); }, false},
        {"AddStepAction", "position on the current step", [this] { S().FocusStep(1, StepFocus::Quiet); SeekTo(2000); },
         false},
        {"AddBlkStepAction", "position beside every step", [] {}, true},
        {"AddBlkStepAction", "no current step, position 0", [this] { SeekTo(0); }, false},
        {"AddBlkStepAction", "position on the current step", [this] { S().FocusStep(0, StepFocus::Quiet); SeekTo(1000); },
         false},
        {"DelStepAction", "selection on the line and another", [&] { select(0, 0); select(2, 0); }, true},
        {"DelStepAction", "selection only on another line", [&] { select(2, 0); }, false},
        {"DelAllStepAction", "line with steps", [] {}, true},
        {"DelAllStepAction", "empty line", [this] { Doc().CurrentLine = 1; }, false},
        {"PropStepAction", "nothing current or selected", [] {}, false},
        {"PropStepAction", "a current step", [this] { S().FocusStep(0, StepFocus::Quiet); }, true},
        {"PropStepAction", "another line's step selected", [&] { select(2, 0); }, true},
        {"TimeStepAction", "nothing current or selected", [] {}, false},
        {"TimeStepAction", "another line's step selected", [&] { select(2, 0); }, true},
        {"MovToCsrPosAction", "a current step", [this] { S().FocusStep(2, StepFocus::Quiet); }, true},
        {"MovToCsrPosAction", "selected but not current", [&] { select(0, 0); }, false},
        {"UndoAction", "no undo", [] {}, false},
        {"UndoAction", "after an edit", [this] { Doc().DeleteAllSteps(); }, true},
        {"PrvStpAction", "no current step", [] {}, false},
        {"PrvStpAction", "the first step current", [this] { S().FocusStep(0, StepFocus::Quiet); }, false},
        {"PrvStpAction", "the second step current", [this] { S().FocusStep(1, StepFocus::Quiet); }, true},
        {"NxtStpAction", "no current step", [] {}, true},
        {"NxtStpAction", "the last step current", [this] { S().FocusStep(2, StepFocus::Quiet); }, false},
        {"NxtStpAction", "an empty line", [this] { Doc().CurrentLine = 1; }, false},
        {"CpyFrmTrkAction", "steps on other lines only", [this] { Doc().CurrentLine = 1; }, true},
        {"CpyFrmTrkAction", "no step", [this] { Doc().ClearLine(0); Doc().ClearLine(2); }, false},
        {"SelectExAction", "steps", [] {}, true},
        {"SelectExAction", "no step", [this] { Doc().ClearLine(0); Doc().ClearLine(2); }, false},
        {"UpBrightAction", "a current step", [this] { S().FocusStep(0, StepFocus::Quiet); }, true},
        {"UpBrightAction", "no current step", [] {}, false},
        {"DownBrightAction", "a current step", [this] { S().FocusStep(0, StepFocus::Quiet); }, true},
        {"DownBrightAction", "no current step", [] {}, false},
        {"CutMltAction", "another line's step selected", [&] { select(2, 0); }, true},
        {"CutMltAction", "nothing selected", [] {}, false},
        {"CpyMltAction", "nothing selected", [] {}, false},
        {"AlignMltAction", "nothing selected", [] {}, false},
        {"StretchMltAction", "a step selected", [&] { select(0, 0); }, true},
        {"StretchBrtAction", "nothing selected", [] {}, false},
        {"PstMltAction", "empty clipboard", [] {}, false},
        {"PstMltAction", "copied steps", [&] { select(2, 0); Doc().CopySelectedAll(false); }, true},
        {"SelectAllMltAction", "no step", [this] { Doc().ClearLine(0); Doc().ClearLine(2); }, true},
        {"PrvTimAction", "clock running", [this] { Engine().StartClock(-500); }, true},
        {"PropertyAction", "a sound", [] {}, true},
    };
    for (const Rule& r : rules) {
        Reset();
        r.arrange();
        EXPECT_EQ(Enabled(r.action), r.enabled) << r.action << " with " << r.state;
    }
    Reset();

    // Without a waveform nothing can be placed or loaded at the cursor; without a sound
    // there are no properties to show.
    Sound().ClearSummary();
    for (const char* name : {"LoadGrpAction", "AddStepAction", "AddBlkStepAction"})
        EXPECT_FALSE(Enabled(name)) << name;
    Engine().SetSoundPath({});
    EXPECT_FALSE(Enabled("PropertyAction"));
}

TEST_F(CommandSetTest, MenusToolBarsAndContextMenusHoldTheCommandsInOrder)
{
    StartShow({});
    auto names = [](const QList<QAction*>& actions) {
        std::vector<std::string> out;
        for (const QAction* a : actions)
            out.push_back(a->isSeparator() ? "-" : a->menu() ? a->menu()->objectName().toStdString()
                                                              : a->objectName().toStdString());
        return out;
    };
    EXPECT_THAT(names(form->Menu("File1")->actions()),
                ElementsAre("NewPrjAction", "OpenPrjAction", "SavePrjAction", "SaveAsPrjAction", "FileHistoryItem",
                            "-", "SaveSelGrpAction", "LoadGrpAction", "-", "ExitItem"));
    EXPECT_THAT(names(form->Menu("Edit1")->actions()),
                ElementsAre("CutStepAction", "CpyStepAction", "PstStepAction", "-", "SelectAllAction", "-",
                            "AddStepAction", "AddBlkStepAction", "DelStepAction", "DelAllStepAction", "-",
                            "PropStepAction", "TimeStepAction", "MovToCsrPosAction", "-", "UndoAction", "-",
                            "PrvStpAction", "NxtStpAction", "-", "CpyFrmTrkAction", "SelectExAction"));
    EXPECT_THAT(names(form->Menu("Show1")->actions()),
                ElementsAre("ViewToolBarItem", "ViewSttBarAction", "-", "ZoomInAction", "ZoomOutAction",
                            "ZoomFitAction", "-", "DispMonoAction", "-", "ViewRefTrkAction", "ViewColMonAction", "-",
                            "PropertyAction"));
    EXPECT_THAT(names(form->Menu("ViewToolBarItem")->actions()),
                ElementsAre("ViewFilToolAction", "ViewEditToolAction", "ViewPlayerAction", "ViewCurPalAction"));
    EXPECT_THAT(names(form->Menu("Help1")->actions()),
                ElementsAre("Contents1", "HelpWebItem", "HelpDemoItem", "-", "HelpAboutItem"));
    EXPECT_THAT(names(form->ToolBar(1)->actions()),
                ElementsAre("NewPrjAction", "OpenPrjAction", "SavePrjAction", "SaveAsPrjAction", "-", "CutStepAction",
                            "CpyStepAction", "PstStepAction"));
    EXPECT_THAT(names(form->ToolBar(2)->actions()),
                ElementsAre("AddStepAction", "AddBlkStepAction", "DelStepAction", "-", "PropStepAction", "-",
                            "PrvStpAction", "NxtStpAction", "-", "ZoomInAction", "ZoomOutAction", "ZoomFitAction", "-",
                            "UndoAction"));
    EXPECT_THAT(names(form->PopupMenu(2)->actions()),
                ElementsAre("CutStepAction", "CpyStepAction", "PstStepAction", "-", "SelectAllAction", "-",
                            "DelStepAction", "DelAllStepAction", "CpyFrmTrkAction"));
    for (QAction* a : form->ToolBar(2)->actions()) {
        if (!a->isSeparator()) {
            EXPECT_FALSE(a->icon().isNull()) << a->objectName().toStdString();
        }
    }

    // The toggles follow what they show.
    A().Trigger(Command::ShowEditBar);
    EXPECT_TRUE(form->ToolBar(2)->isHidden());
    A().Update();
    EXPECT_FALSE(A().Get(Command::ShowEditBar)->isChecked());
    EXPECT_TRUE(A().Get(Command::ShowFileBar)->isChecked());
    A().Trigger(Command::ShowStatusBar);
    EXPECT_TRUE(form->statusBar()->isHidden());
    const int right = form->RightWaveform()->height();
    A().Trigger(Command::MonoWaveform);
    QApplication::processEvents();
    EXPECT_TRUE(form->View().MonoDisplay());
    EXPECT_EQ(form->LeftWaveform()->height(), 2);
    EXPECT_EQ(form->RightWaveform()->height(), 2 * right + 8 - 2 - 2) << "the right pane shows both channels";
    A().Update();
    EXPECT_TRUE(A().Get(Command::MonoWaveform)->isChecked());
}

TEST_F(CommandSetTest, VersionBoxAndSoundPropertiesShowTheirTexts)
{
    StartShow({});
    QString version;
    QTimer::singleShot(0, form.get(), [&] {
        version = form->About()->Version()->text();
        form->About()->accept();
    });
    A().Trigger(Command::About);
    EXPECT_EQ(version, QString("Version ") + ProgramVersion);

    QString path, size, format;
    QTimer::singleShot(0, form.get(), [&] {
        SoundPropertiesBox* box = form->SoundProperties();
        path = box->Value(0)->text();
        size = box->Value(1)->text();
        format = box->Value(3)->text();
        box->accept();
    });
    ASSERT_TRUE(A().Trigger(Command::SoundProperties));
    EXPECT_EQ(path.toStdString(), dir / "show.wav");
    EXPECT_EQ(size.remove(QRegularExpression("[^0-9]")).toLongLong(), std::ifstream(dir / "show.wav", std::ios::ate).tellg());
    EXPECT_EQ(format, "44.1kHz 16bit stereo  00:00:04.00");
}

TEST_F(CommandSetTest, EditCommandsActOnTheCurrentLineAndTheSelection)
{
    StartShow({{0, 500, 0x0000FF, 254, true}, {0, 1500, 0x0000FF, -254}, {0, 2500, 0x0000FF, 0, true},
               {2, 800, 0x00FF00, 0, true}});
    Activate();
    // Copy takes the current line's selected steps only and clears every selection.
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Doc().LineClipboard.size(), 2u);
    EXPECT_TRUE(Selected(0).empty() && Selected(2).empty());
    SeekTo(3000);
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Times(0), (std::vector<int32_t>{500, 1500, 2500, 3000, 5000}));
    ASSERT_TRUE(A().Trigger(Command::Undo));
    EXPECT_EQ(Times(0), (std::vector<int32_t>{500, 1500, 2500}));

    // Select all takes the current line; the status counts every line.
    Doc().SelectSteps(std::vector<StepPos>{{2, 0}});
    ASSERT_TRUE(A().Trigger(Command::SelectAll));
    EXPECT_THAT(Selected(0), ElementsAre(0, 1, 2));
    EXPECT_EQ(Panel(3), "選択中=4");
    // Delete takes the selected steps of every line.
    S().FocusStep(1, StepFocus::Quiet);
    ASSERT_TRUE(A().Trigger(Command::DeleteSteps));
    EXPECT_TRUE(Times(0).empty());
    EXPECT_TRUE(Times(2).empty());
    EXPECT_EQ(Edit().CurrentStep(), -1);
    EXPECT_EQ(Panel(3), "");
    ASSERT_TRUE(A().Trigger(Command::Undo));

    // Brightness steps of the current step stop at the limits, without undo. The keys find
    // their commands enabled without waiting for the update pass.
    Doc().ClearUndo();
    S().FocusStep(0, StepFocus::Quiet);
    Key(Qt::Key_Up);
    EXPECT_EQ(Doc().Lines[0][0].Brightness, 255);
    Key(Qt::Key_Up);
    EXPECT_EQ(Doc().Lines[0][0].Brightness, 255);
    S().FocusStep(1, StepFocus::Quiet);
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    EXPECT_EQ(Doc().Lines[0][1].Brightness, -255);
    EXPECT_TRUE(Doc().UndoList.empty());

    // The current step moves to the play position.
    SeekTo(2000);
    ASSERT_TRUE(A().Trigger(Command::MoveStepToCursor));
    EXPECT_EQ(Times(0), (std::vector<int32_t>{500, 2000, 2500}));
    EXPECT_EQ(Doc().Lines[0][size_t(Edit().CurrentStep())].Brightness, -255) << "it stays current";

    // Cut keeps the steps on the clipboard; delete-all asks first.
    Doc().SelectOnly(std::vector<StepPos>{{0, 2}});
    Key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(Times(0), (std::vector<int32_t>{500, 2000}));
    EXPECT_EQ(Edit().CurrentStep(), -1);
    messages.answers = {Answer::No, Answer::Yes};
    ASSERT_TRUE(A().Trigger(Command::DeleteAllSteps));
    EXPECT_EQ(messages.entries.back().text, "削除してもいいですか");
    EXPECT_EQ(Times(0).size(), 2u);
    ASSERT_TRUE(A().Trigger(Command::DeleteAllSteps));
    EXPECT_TRUE(Times(0).empty());
    EXPECT_EQ(Times(2), std::vector<int32_t>{800}) << "only the current line";
}

TEST_F(CommandSetTest, PreviousAndNextStepSelectTheStepAndKeepItInView)
{
    // 1 pixel per ms: the steps lie far beyond the first screen.
    StartShow({{0, 500, 0x0000FF, 0, true}, {0, 1500}, {0, 3500}, {2, 800, 0x00FF00, 0, true}}, {}, true, LeadIn,
              10.0);
    ViewState& view = form->View();
    const int width = view.ViewportWidth();
    ASSERT_LT(width, 1500);
    Activate();

    Key(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(Edit().CurrentStep(), 0);
    EXPECT_THAT(Selected(0), ElementsAre(0));
    EXPECT_TRUE(Selected(2).empty()) << "the selection of every line is cleared";
    EXPECT_EQ(view.ScrollPosition(), view.XOfTime(500) - 20);
    EXPECT_EQ(Panel(1), "00:00:00.50");

    Key(Qt::Key_Right, Qt::ControlModifier);
    Key(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(Edit().CurrentStep(), 2);
    EXPECT_THAT(Selected(0), ElementsAre(2));
    EXPECT_EQ(view.ScrollPosition(), view.XOfTime(3500) - 20);
    Key(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(Edit().CurrentStep(), 2) << "no step after the last";

    Key(Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(Edit().CurrentStep(), 1);
    EXPECT_EQ(view.ScrollPosition(), view.XOfTime(1500) - width + 20);
    EXPECT_EQ(Panel(1), "00:00:01.50");
    // A step already in view does not scroll.
    view.SetScrollPosition(view.XOfTime(500) - 100);
    Key(Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(Edit().CurrentStep(), 0);
    EXPECT_EQ(view.ScrollPosition(), view.XOfTime(500) - 100);
    Key(Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(Edit().CurrentStep(), 0);
}

TEST_F(CommandSetTest, CopyFromLineAsksBeforeOverwritingAndTakesOnlyLineNumbers)
{
    StartShow({{0, 500}, {2, 800, 0x00FF00, 10}, {2, 1800, 0x00FF00, 20}});
    // No: nothing is asked further.
    messages.answers = {Answer::No};
    ASSERT_TRUE(A().Trigger(Command::CopyFromLine));
    EXPECT_TRUE(dialogs.inputBoxes.empty());
    EXPECT_EQ(Times(0), std::vector<int32_t>{500});

    // Nothing that names another line changes anything or leaves an undo step.
    for (const std::optional<std::string>& text : {std::optional<std::string>(), std::optional<std::string>("9"),
                                                   std::optional<std::string>("0"), std::optional<std::string>("x"),
                                                   std::optional<std::string>("")}) {
        messages.answers = {Answer::Yes};
        dialogs.texts = {text};
        A().Trigger(Command::CopyFromLine);
        EXPECT_EQ(Times(0), std::vector<int32_t>{500}) << text.value_or("(cancel)");
        EXPECT_TRUE(Doc().UndoList.empty()) << text.value_or("(cancel)");
    }
    ASSERT_FALSE(messages.entries.empty());
    EXPECT_EQ(messages.entries.back().text, "上書きしてもいいですか?");
    EXPECT_EQ(dialogs.inputBoxes.back(),
              std::make_pair(std::string("ライン内容のコピー"), std::string("コピー元のラインNo.(1～8)を指定してください")));

    // Its own number: the undo snapshot is taken, the line stays.
    messages.answers = {Answer::Yes};
    dialogs.texts = {std::string("1")};
    A().Trigger(Command::CopyFromLine);
    EXPECT_EQ(Times(0), std::vector<int32_t>{500});
    EXPECT_EQ(Doc().UndoList.size(), 1u);

    messages.answers = {Answer::Yes};
    dialogs.texts = {std::string(" 3 ")};
    A().Trigger(Command::CopyFromLine);
    EXPECT_EQ(Times(0), (std::vector<int32_t>{800, 1800}));
    EXPECT_EQ(Doc().Lines[0][1].Brightness, 20);
    EXPECT_EQ(Doc().Lines[0][1].Line, 0);
    EXPECT_EQ(Doc().UndoList.size(), 2u);

    // An empty line is not asked about.
    Doc().CurrentLine = 5;
    const size_t asked = messages.entries.size();
    dialogs.texts = {std::string("1")};
    A().Trigger(Command::CopyFromLine);
    EXPECT_EQ(messages.entries.size(), asked);
    EXPECT_EQ(Times(5), (std::vector<int32_t>{800, 1800}));
}

TEST_F(CommandSetTest, AnEmptyStepKeepsTheLinesOutputWhereItGoes)
{
    const uint32_t red = PackColor(255, 0, 0), blue = PackColor(0, 0, 255);
    StartShow({{0, 1000, red, 100}, {0, 3000, blue, -100}});
    struct Case {
        int32_t at;
        uint32_t color;
        int32_t brightness;
    };
    const ColorPair between = Doc().EvaluateLine(0, 2000);
    const Case cases[] = {{500, 0, 0}, {2000, between.Color, between.Brightness}, {3500, blue, -100}};
    for (const Case& c : cases) {
        SeekTo(c.at);
        ASSERT_EQ(form->View().TimeOfX(form->View().PlayCursorX()), c.at);
        ASSERT_TRUE(A().Trigger(Command::AddBlankStep)) << c.at;
        const TStepList& line = Doc().Lines[0];
        const auto added = std::find_if(line.begin(), line.end(), [&](const TStepRec& s) { return s.Time == c.at; });
        ASSERT_NE(added, line.end()) << c.at;
        EXPECT_EQ(added->Color, c.color) << c.at;
        EXPECT_EQ(added->Brightness, c.brightness) << c.at;
    }
    EXPECT_EQ(Doc().UndoList.size(), 3u);
}

TEST_F(CommandSetTest, StretchBoxesTakeFactorsWithinTheirRange)
{
    StartShow({{0, 1000, 0x0000FF, 100, true}, {0, 2000, 0x0000FF, 100, true}, {2, 1400, 0x00FF00, -40, true}});
    dialogs.texts = {std::string("2.5")};
    A().Trigger(Command::StretchTime);
    EXPECT_EQ(dialogs.inputBoxes.back(),
              std::make_pair(std::string("複数ラインのタイム伸縮"), std::string("倍率 (-10.0 .. +10.0)")));
    EXPECT_EQ(Times(0), (std::vector<int32_t>{1000, 3500}));
    EXPECT_EQ(Times(2), std::vector<int32_t>{2000});
    for (const std::optional<std::string>& text :
         {std::optional<std::string>("10.5"), std::optional<std::string>("abc"), std::optional<std::string>(""),
          std::optional<std::string>()}) {
        dialogs.texts = {text};
        A().Trigger(Command::StretchTime);
        EXPECT_EQ(Times(0), (std::vector<int32_t>{1000, 3500})) << text.value_or("(cancel)");
    }
    EXPECT_EQ(Doc().UndoList.size(), 1u);

    dialogs.texts = {std::string("4.5"), std::string("-4")};
    A().Trigger(Command::StretchBrightness);
    EXPECT_EQ(Doc().Lines[0][0].Brightness, 100) << "4.5 is beyond the brightness range";
    A().Trigger(Command::StretchBrightness);
    EXPECT_EQ(dialogs.inputBoxes.back(),
              std::make_pair(std::string("複数ラインの明暗伸縮"), std::string("倍率 (-4.0 .. +4.0)")));
    EXPECT_EQ(Doc().Lines[0][0].Brightness, -255);
    EXPECT_EQ(Doc().Lines[2][0].Brightness, 160);
}

// A key stored for two commands would make Qt run neither: the first in the list keeps it.
TEST_F(CommandSetTest, AKeyStoredTwiceStaysWithTheFirstCommand)
{
    StartShow({{0, 500}}, "[ShortCut]\nUndoActionItem=Ctrl+C\nZoomInActionItem=Up\n");
    EXPECT_EQ(A().Get(Command::Copy)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_C));
    EXPECT_TRUE(A().Get(Command::Undo)->shortcut().isEmpty());
    EXPECT_EQ(A().Get(Command::BrightnessUp)->shortcut(), QKeySequence(Qt::Key_Up)) << "earlier in the list";
    EXPECT_TRUE(A().Get(Command::ZoomIn)->shortcut().isEmpty());
}

// Ctrl+C moved from Copy to Undo: Copy is stored without a key, and the next start keeps
// it so (cut, copy and paste get their keys back only where nothing was stored).
TEST_F(CommandSetTest, AShortcutMovedToAnotherCommandStaysMoved)
{
    StartShow({{0, 500}}, "[ShortCut]\nCpyStepActionItem=None\nUndoActionItem=Ctrl+C\nCutStepActionItem=\n");
    EXPECT_TRUE(A().Get(Command::Copy)->shortcut().isEmpty());
    EXPECT_EQ(A().Get(Command::Undo)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_C));
    EXPECT_EQ(A().Get(Command::Cut)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_X));
    form->close();
    std::ifstream in(dir / "lumenrill.INI");
    const std::string ini((std::istreambuf_iterator<char>(in)), {});
    EXPECT_THAT(ini, HasSubstr("CpyStepActionItem=None\n"));
    EXPECT_THAT(ini, HasSubstr("UndoActionItem=Ctrl+C\n"));
}

TEST_F(CommandSetTest, TheShortcutTableIsReadAtStartAndWrittenAtClose)
{
    StartShow({{0, 500}, {0, 1500}},
              "[ShortCut]\nUndoActionItem=Ctrl+Z\nCutStepActionItem=\nCpyStepActionItem=Nonsense\n"
              "SelectAllActionItem=Nonsense\nPrvTimActionItem=\nNxtStpActionItem=Shift+Ctrl+F5\n");
    auto key = [this](const char* name) { return A().Get(C(name))->shortcut(); };
    EXPECT_EQ(key("UndoAction"), QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_EQ(key("CutStepAction"), QKeySequence(Qt::CTRL | Qt::Key_X)) << "never without one";
    EXPECT_EQ(key("CpyStepAction"), QKeySequence(Qt::CTRL | Qt::Key_C)) << "never without one";
    EXPECT_EQ(key("PstStepAction"), QKeySequence(Qt::CTRL | Qt::Key_V));
    EXPECT_TRUE(key("SelectAllAction").isEmpty()) << "a text that is no shortcut gives none";
    EXPECT_EQ(key("PrvTimAction"), QKeySequence(Qt::Key_Left)) << "an empty value gives the built-in key";
    EXPECT_EQ(key("NxtStpAction"), QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_F5));
    EXPECT_EQ(key("PrvStpAction"), QKeySequence(Qt::CTRL | Qt::Key_Left));

    // The stored key works as a person presses it.
    Activate();
    Doc().DeleteAllSteps();
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Times(0), (std::vector<int32_t>{500, 1500}));

    // The option dialog lists and changes them in the same text form, at once.
    OptionsDialog* options = nullptr;
    QTimer::singleShot(0, form.get(), [&] {
        options = form->OptionDialog();
        QListWidget* list = options->ShortcutList();
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->text().startsWith("元に戻す(U)\t")) {
                EXPECT_EQ(list->item(i)->text(), "元に戻す(U)\tCtrl+Z");
                list->setCurrentRow(i);
            }
        options->findChild<QComboBox*>("KeyComboBox")->setCurrentText("BkSp");
        options->findChild<QCheckBox*>("AltCheckBox")->setChecked(true);
        options->findChild<QCheckBox*>("ShiftCheckBox")->setChecked(true);
        options->findChild<QPushButton*>("SKChgBtn")->click();
        EXPECT_EQ(list->currentItem()->text(), "元に戻す(U)\tShift+Alt+BkSp");
        options->reject();
    });
    A().Trigger(Command::Options);
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(key("UndoAction"), QKeySequence(Qt::SHIFT | Qt::ALT | Qt::Key_Backspace));
    for (int i = 0; i < options->ShortcutList()->count(); ++i)
        EXPECT_THAT(options->ShortcutList()->item(i)->text().toStdString(), ::testing::Not(HasSubstr("0\t")))
            << "the colour bar's own command is not in the list";

    form->close();
    std::ifstream in(dir / "lumenrill.INI");
    const std::string ini((std::istreambuf_iterator<char>(in)), {});
    for (const char* line : {"UndoActionItem=Shift+Alt+BkSp\n", "CutStepActionItem=Ctrl+X\n",
                             "CpyStepActionItem=Ctrl+C\n", "SelectAllActionItem=None\n", "PrvTimActionItem=Left\n",
                             "NxtStpActionItem=Shift+Ctrl+F5\n", "PrvStpActionItem=Ctrl+Left\n",
                             "DownBrightActionItem=Down\n", "PropertyActionItem=None\n"})
        EXPECT_THAT(ini, HasSubstr(line));
    for (const char* absent : {"CurBrt0", "ExitItemItem", "OptionItemItem", "RepeatPly"})
        EXPECT_THAT(ini, ::testing::Not(HasSubstr(absent)));
}

TEST_F(CommandSetTest, GroupFilesSaveTheSelectionAndLoadItAtThePlayPosition)
{
    StartShow({{0, 1000, 0x0000FF, 0, true}, {0, 1200, 0x0000FF, 0, true}, {3, 1100, 0x00FF00, 0, true}, {3, 3000}});
    const std::string group = dir / "passage.GRP";
    dialogs.groupPaths = {group};
    ASSERT_TRUE(A().Trigger(Command::SaveGroup));
    const Bytes bytes = ReadBytes(group);
    ASSERT_EQ(bytes.size(), 3u * 52);
    auto field = [&](size_t record, size_t offset) {
        int32_t v = 0;
        for (int i = 3; i >= 0; --i)
            v = int32_t(uint32_t(v) << 8 | bytes[record * 52 + offset + size_t(i)]);
        return v;
    };
    EXPECT_EQ(field(0, 0), 0);
    EXPECT_EQ(field(0, 4), 0);
    EXPECT_EQ(field(1, 4), 200);
    EXPECT_EQ(field(2, 0), 3);
    EXPECT_EQ(field(2, 4), 100);

    // Cancelled dialogs do nothing.
    A().Trigger(Command::LoadGroup);
    EXPECT_EQ(Times(0), (std::vector<int32_t>{1000, 1200}));
    EXPECT_TRUE(Doc().UndoList.empty());
    EXPECT_EQ(dialogs.groupFolders.back(), dir.Path()) << "the open dialog starts in the show's folder";

    SeekTo(-500);
    dialogs.groupPaths = {group};
    ASSERT_TRUE(A().Trigger(Command::LoadGroup));
    EXPECT_EQ(Times(0), (std::vector<int32_t>{-500, -300, 1000, 1200}));
    EXPECT_EQ(Times(3), (std::vector<int32_t>{-400, 1100, 3000}));
    EXPECT_THAT(Selected(0), ElementsAre(0, 1));
    EXPECT_THAT(Selected(3), ElementsAre(0));
    EXPECT_EQ(Panel(3), "選択中=3");
    EXPECT_TRUE(Doc().Modified);
    ASSERT_TRUE(A().Trigger(Command::Undo));
    EXPECT_EQ(Times(0), (std::vector<int32_t>{1000, 1200}));
    EXPECT_EQ(Times(3), (std::vector<int32_t>{1100, 3000}));
}

TEST_F(CommandSetTest, ExtendedSelectionNarrowsTheShowsSelection)
{
    StartShow({{0, 500, PackColor(255, 255, 255)}, {0, 1500, PackColor(255, 0, 0)}, {2, 800, PackColor(0, 0, 0)}});
    ExtendedSelectionDialog* window = form->SelectionDialog();
    // Select only the white step with a band around it, then confirm.
    QTimer::singleShot(0, window, [&] {
        QWidget* plot = window->Plot();
        const TStepRec& white = Doc().Lines[0][0];
        const QPoint at(white.PlotX, white.PlotY);
        QTest::mousePress(plot, Qt::LeftButton, {}, at - QPoint(3, 3));
        QTest::mouseMove(plot, at + QPoint(3, 3));
        QTest::mouseRelease(plot, Qt::LeftButton, {}, at + QPoint(3, 3));
        EXPECT_EQ(window->CountLabel()->text(), "1/3 points");
        window->findChild<QPushButton*>("OkButton")->click();
    });
    ASSERT_TRUE(A().Trigger(Command::ExtendedSelection));
    EXPECT_THAT(Selected(0), ElementsAre(0));
    EXPECT_TRUE(Selected(2).empty());
    EXPECT_EQ(Panel(3), "選択中=1");

    // Cancel leaves the selection as it was, whatever the window did.
    QTimer::singleShot(0, window, [&] {
        EXPECT_EQ(window->CountLabel()->text(), "1 points") << "only the selected step is a candidate";
        QWidget* plot = window->Plot();
        QTest::mousePress(plot, Qt::LeftButton, {}, QPoint(1, 1));
        QTest::mouseMove(plot, QPoint(3, 3));
        QTest::mouseRelease(plot, Qt::LeftButton, {}, QPoint(3, 3));
        EXPECT_EQ(window->CountLabel()->text(), "0/1 points");
        window->findChild<QPushButton*>("Button1")->click();
    });
    A().Trigger(Command::ExtendedSelection);
    EXPECT_THAT(Selected(0), ElementsAre(0));
}

} // namespace

namespace {

// Pictures of the menus, context menus, tool bars and the command windows for a person to
// look at, in each language: kept in the folder LUMENRILL_SHOTS_DIR names (a folder "ja" and
// "en" in it), else drawn into a temporary one.
class CommandSetScreenshots : public CommandSetTest, public ::testing::WithParamInterface<Language> {
protected:
    void SetUp() override
    {
        CommandSetTest::SetUp();
        UseLanguage(GetParam());
    }
    void TearDown() override
    {
        CommandSetTest::TearDown();
        UseLanguage(Language::Japanese);
    }
};

TEST_P(CommandSetScreenshots, EveryMenuAndWindow)
{
    TempDir scratch;
    QString folder = qEnvironmentVariable("LUMENRILL_SHOTS_DIR");
    if (folder.isEmpty())
        folder = QString::fromStdString(scratch.Path());
    folder += QString("/") + LanguageCode(GetParam());
    ASSERT_TRUE(QDir().mkpath(folder));
    StartShow({{0, 500, PackColor(255, 0, 0), 0, true},
               {0, 1500, PackColor(255, 255, 0), 120},
               {0, 2500, PackColor(0, 128, 255), -80, true},
               {2, 800, PackColor(0, 255, 0), 0, true},
               {2, 3000, PackColor(200, 200, 200), 60},
               {5, 1200, PackColor(255, 0, 255), 200},
               {6, 2000, PackColor(0, 0, 0), 0}},
              "[General]\nViewRefTrack=1\nRefTrack=-2\n");
    S().FocusStep(2, StepFocus::Quiet);
    Doc().CopySelected(false);
    Doc().Modified = true;
    A().Update();
    auto save = [&](QWidget* w, const char* name) { EXPECT_TRUE(w->grab().save(folder + "/" + name + ".png")) << name; };
    auto menu = [&](QMenu* m, const char* name) {
        m->popup(form->mapToGlobal(QPoint(40, 40)));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m));
        save(m, name);
        m->hide();
    };
    for (const char* name : {"File1", "Edit1", "Play1", "Show1", "Option1", "Help1"})
        menu(form->Menu(name), name);
    menu(form->Menu("ViewToolBarItem"), "ViewToolBarItem");
    menu(form->PopupMenu(1), "PopupMenu1");
    menu(form->PopupMenu(2), "PopupMenu2");
    menu(form->ReferenceMenu(), "RefTrkPopupMenu");
    menu(form->LineMenu(), "ChgTrkPopupMenu");
    for (int n = 1; n <= 4; ++n)
        save(form->ToolBar(n), ("ToolBar" + std::to_string(n)).c_str());
    save(form.get(), "LurillForm");

    ExtendedSelectionDialog* window = form->SelectionDialog();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    save(window, "SelExForm-saturation");
    window->ModeTabs()->setCurrentIndex(1);
    QTest::mousePress(window->Plot(), Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseMove(window->Plot(), QPoint(200, 150));
    save(window, "SelExForm-brightness-band");
    QTest::mouseRelease(window->Plot(), Qt::LeftButton, {}, QPoint(200, 150));
    save(window, "SelExForm-after-band");
    window->reject();

    QTimer::singleShot(0, form.get(), [&] {
        save(form->SoundProperties(), "SoundPropBox");
        form->SoundProperties()->accept();
    });
    A().Trigger(Command::SoundProperties);

    form->ColourDialog()->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form->ColourDialog()));
    save(form->ColourDialog(), "StpPropDlg");
    form->ColourDialog()->reject();

    form->About()->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form->About()));
    save(form->About(), "AboutBox");
    form->About()->hide();

    // The modal dialogs as their commands open them, every page of each.
    auto pages = [&](QAction* command, const std::string& name) {
        bool shown = false;
        QTimer::singleShot(100, form.get(), [&, name] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr) << name;
            shown = true;
            QTabWidget* tabs = dialog->findChild<QTabWidget*>();
            const int count = tabs ? tabs->count() : 1;
            for (int i = 0; i < count; ++i) {
                if (tabs)
                    tabs->setCurrentIndex(i);
                save(dialog, (name + "-" + std::to_string(i + 1)).c_str());
            }
            dialog->reject();
        });
        A().Update();
        ASSERT_TRUE(command->isEnabled()) << name;
        command->trigger();
        EXPECT_TRUE(shown) << name;
    };
    pages(A().Get(Command::ProjectSettings), "SetPrjDlg");
    for (QDialog* dialog : std::initializer_list<QDialog*>{form->TimeDialog(), form->NodeDetails()}) {
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
        save(dialog, dialog->metaObject()->className());
        dialog->hide();
    }
    pages(form->findChild<QAction*>("OptionItem"), "OptionDlg");
}

INSTANTIATE_TEST_SUITE_P(Languages, CommandSetScreenshots, ::testing::Values(Language::Japanese, Language::English),
                         [](const auto& info) { return std::string(LanguageCode(info.param)); });

} // namespace
