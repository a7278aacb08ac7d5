// The main window's commands: every action with its caption, image, built-in shortcut and
// enabling rule, the main menu, the context menus, the tool bars, and the shortcut table
// of the settings file.
#include "common/output_volume.h"
#include "common/string_table.h"
#include "gui_common/language.h"
#include "dialogs/about_box.h"
#include "dialogs/extended_selection_dialog.h"
#include "dialogs/sound_properties_box.h"
#include "editor/actions.h"
#include "editor/canvas_rows.h"
#include "editor/help_manual.h"
#include "editor/icons.h"
#include "editor/main_window.h"
#include "editor/panes/colour_bar.h"
#include "editor/panes/reference_view.h"
#include "editor/panes/transport_panel.h"
#include "editor/status_texts.h"
#include "editor/view_state.h"
#include "gui_common/shortcut_keys.h"
#include "monitor/colour_monitor.h"
#include "settings/main_window_settings.h"
#include "settings/shortcut_text.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QStandardPaths>
#include <QStatusBar>
#include <QToolBar>

#include <algorithm>
#include <optional>

namespace {

// The toolbar toggles, told apart by their tag: ToolBar1 to ToolBar4.
constexpr Command ToolBarActions[4] = {Command::ShowFileBar, Command::ShowEditBar, Command::ShowPlayerBar,
                                      Command::ShowPaletteBar};

// The shortcuts that cut, copy and paste always have after a start.
constexpr std::pair<Command, const char*> FixedShortCuts[] = {
    {Command::Cut, "Ctrl+X"}, {Command::Copy, "Ctrl+C"}, {Command::Paste, "Ctrl+V"}};

// The commands in order; nothing stands for a separator.
using CommandRow = std::initializer_list<std::optional<Command>>;

void Fill(QMenu* menu, const ActionRegistry& actions, CommandRow commands)
{
    for (const std::optional<Command>& c : commands) {
        if (c)
            menu->addAction(actions.Get(*c));
        else
            menu->addSeparator();
    }
}

} // namespace

void MainWindow::CreateActions()
{
    EditorSession& s = *session_;
    ActionRegistry& a = *actions_;
    const ProjectData& doc = s.Document();
    auto idle = [this] { return !session_->Player().Playing(); };
    auto current = [&s] { return s.CurrentStepRec() != nullptr; };
    auto lineSelected = [&doc] { return doc.CountSelected() > 0; };
    auto anySelected = [&doc] { return doc.CountSelectedAll() > 0; };
    auto anySteps = [&doc] { return doc.TotalStepCount() > 0; };
    auto icon = [&a](Command c, IconKind kind) { a.Get(c)->setIcon(ToolIcon(kind)); };

    // File commands.
    a.Add(Command::NewProject, [&s] { s.Files().NewProject(); }, idle);
    a.Add(Command::OpenProject, [&s] { s.Files().OpenProjectCommand(); }, idle);
    a.Add(Command::SaveProject, [&s] { s.Files().SaveProjectCommand(); }, [&doc] { return doc.Modified; });
    a.Add(Command::SaveProjectAs, [&s] { s.Files().SaveProjectAs(); }, idle);
    a.Add(Command::SaveGroup, [&s] { s.SaveGroupCommand(); }, anySelected);
    a.Add(Command::LoadGroup, [&s] { s.LoadGroupCommand(); },
          [&s] { return s.SoundLoaded(); });
    icon(Command::NewProject, IconKind::New);
    icon(Command::OpenProject, IconKind::Open);
    icon(Command::SaveProject, IconKind::Save);
    icon(Command::SaveProjectAs, IconKind::SaveAs);

    // Edit commands.
    a.Add(Command::Cut, [&s] { s.CutStepCommand(); }, lineSelected);
    a.Add(Command::Copy, [&s] { s.CopyStepCommand(); }, lineSelected);
    a.Add(Command::Paste, [&s] { s.PasteStepCommand(); }, [&doc] { return !doc.LineClipboard.empty(); });
    a.Add(Command::SelectAll, [&s] { s.SelectAllCommand(); }, anySteps);
    a.Add(Command::AddStep, [this] { session_->AddStepCommand(CursorTime()); },
          [&s] { return s.CanAddStep(); });
    a.Add(Command::AddBlankStep, [this] { session_->AddBlankStepCommand(CursorTime()); },
          [&s] { return s.CanAddStep(); });
    a.Add(Command::DeleteSteps, [&s] { s.DeleteStepCommand(); }, lineSelected);
    a.Add(Command::DeleteAllSteps, [&s] { s.DeleteAllStepsCommand(); },
          [&s, &doc] { return !doc.Lines[size_t(s.CurrentLine())].empty(); });
    a.Add(Command::StepColour, [this] { session_->PropStepCommand(CursorTime()); },
          [&s] { return s.CanEditSteps(); });
    a.Add(Command::StepTime, [&s] { s.TimeStepCommand(); }, [&s] { return s.CanEditSteps(); });
    a.Add(Command::MoveStepToCursor, [&s] { s.MoveToCursorCommand(); }, current);
    a.Add(Command::Undo, [&s] { s.UndoCommand(); }, [&doc] { return !doc.UndoList.empty(); });
    a.Add(Command::PreviousStep, [this] { StepToNeighbour(false); },
          [&s] { return s.Edit().CurrentStep() > 0; });
    a.Add(Command::NextStep, [this] { StepToNeighbour(true); }, [&s, &doc] {
        const int n = int(doc.Lines[size_t(s.CurrentLine())].size());
        return n > 0 && s.Edit().CurrentStep() < n - 1;
    });
    a.Add(Command::CopyFromLine, [&s] { s.CopyFromLineCommand(); }, anySteps);
    a.Add(Command::ExtendedSelection, [this] { RunExtendedSelection(); }, anySteps);
    TransportControl& t = s.Player();
    a.Add(Command::StepBack, [&t] { t.Run(TransportCommand::PrvTim); });
    a.Add(Command::StepForward, [&t] { t.Run(TransportCommand::NxtTim); });
    a.Add(Command::BrightnessUp, [&s] { s.BrightnessStepCommand(true); }, current);
    a.Add(Command::BrightnessDown, [&s] { s.BrightnessStepCommand(false); }, current);
    a.Get(Command::PreviousStep)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Left));
    a.Get(Command::NextStep)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Right));
    a.Get(Command::StepBack)->setShortcut(QKeySequence(Qt::Key_Left));
    a.Get(Command::StepForward)->setShortcut(QKeySequence(Qt::Key_Right));
    a.Get(Command::BrightnessUp)->setShortcut(QKeySequence(Qt::Key_Up));
    a.Get(Command::BrightnessDown)->setShortcut(QKeySequence(Qt::Key_Down));
    icon(Command::Cut, IconKind::Cut);
    icon(Command::Copy, IconKind::Copy);
    icon(Command::Paste, IconKind::Paste);
    icon(Command::AddStep, IconKind::AddStep);
    icon(Command::AddBlankStep, IconKind::AddBlankStep);
    icon(Command::DeleteSteps, IconKind::DeleteStep);
    icon(Command::StepColour, IconKind::StepColor);
    icon(Command::Undo, IconKind::Undo);
    icon(Command::PreviousStep, IconKind::PrevStep);
    icon(Command::NextStep, IconKind::NextStep);

    // Multi-line commands of the reference view's menu.
    a.Add(Command::CutLines, [&s] { s.CutMultiCommand(); }, anySelected);
    a.Add(Command::CopyLines, [&s] { s.CopyMultiCommand(); }, anySelected);
    a.Add(Command::PasteLines, [&s] { s.PasteMultiCommand(); },
          [&doc] { return !doc.MultiClipboard.empty(); });
    a.Add(Command::SelectAllLines, [&s] { s.SelectAllMultiCommand(); });
    a.Add(Command::AlignLines, [&s] { s.AlignMultiCommand(); }, anySelected);
    a.Add(Command::StretchTime, [&s] { s.StretchMultiCommand(true); }, anySelected);
    a.Add(Command::StretchBrightness, [&s] { s.StretchMultiCommand(false); }, anySelected);
    icon(Command::CutLines, IconKind::Cut);
    icon(Command::CopyLines, IconKind::Copy);
    icon(Command::PasteLines, IconKind::Paste);

    // Play commands.
    auto enabled = [&s](TransportCommand c) { return [&s, c] { return s.Player().Enabled(c, s.SoundLoaded()); }; };
    a.Add(Command::PlayFromTop, [&t] { t.Run(TransportCommand::TopPlay); }, enabled(TransportCommand::TopPlay));
    a.Add(Command::Play, [&t] { t.Run(TransportCommand::Play); }, enabled(TransportCommand::Play));
    a.Add(Command::Pause, [&t] { t.Run(TransportCommand::Pause); }, enabled(TransportCommand::Pause));
    a.Add(Command::Stop, [&t] { t.Run(TransportCommand::Stop); }, enabled(TransportCommand::Stop));
    a.Add(Command::ToSoundStart, [&t] { t.Run(TransportCommand::ToTopPos); }, enabled(TransportCommand::ToTopPos));
    a.Add(Command::ToSoundEnd, [&t] { t.Run(TransportCommand::ToEndPos); }, enabled(TransportCommand::ToEndPos));
    icon(Command::PlayFromTop, IconKind::TopPlay);
    icon(Command::Play, IconKind::Play);
    icon(Command::Pause, IconKind::Pause);
    icon(Command::Stop, IconKind::Stop);
    icon(Command::ToSoundStart, IconKind::ToTop);
    icon(Command::ToSoundEnd, IconKind::ToEnd);
    for (Command c : {Command::PlayFromTop, Command::Play, Command::Pause, Command::Stop, Command::ToSoundStart,
                      Command::ToSoundEnd, Command::StepBack, Command::StepForward})
        a.Get(c)->setStatusTip(a.Get(c)->text());

    // View commands.
    for (int tag = 0; tag < 4; ++tag) {
        a.Add(ToolBarActions[tag], [this, tag] {
            QToolBar* bar = toolBars_[size_t(tag)];
            bar->setVisible(bar->isHidden());
        });
        a.SetChecked(ToolBarActions[tag], [this, tag] {
            const QToolBar* bar = toolBars_[size_t(tag)];
            return bar && !bar->isHidden();
        });
    }
    a.Add(Command::ShowStatusBar, [this] { statusBar()->setVisible(statusBar()->isHidden()); });
    a.SetChecked(Command::ShowStatusBar, [this] { return !statusBar()->isHidden(); });
    auto playPosition = [this] { return session_->State().Play.PlayPosition.load(); };
    a.Add(Command::ZoomIn, [this, playPosition] {
              view_->ZoomIn(playPosition());
              ShowScale();
          },
          [this] { return view_->ZoomInEnabled(); });
    a.Add(Command::ZoomOut, [this, playPosition] {
              view_->ZoomOut(playPosition());
              ShowScale();
          },
          [this] { return view_->ZoomOutEnabled(); });
    a.Add(Command::ZoomFit, [this, playPosition] {
              view_->ZoomFit(playPosition());
              ShowScale();
          },
          [this] { return view_->ZoomFitEnabled(); });
    icon(Command::ZoomIn, IconKind::ZoomIn);
    icon(Command::ZoomOut, IconKind::ZoomOut);
    icon(Command::ZoomFit, IconKind::ZoomFit);
    a.Add(Command::MonoWaveform, [this] {
        view_->SetMonoDisplay(!view_->MonoDisplay());
        LayOutWaveforms();
    });
    a.SetChecked(Command::MonoWaveform, [this] { return view_->MonoDisplay(); });
    a.Add(Command::ShowReferenceLine, [this] { rows_->ChooseReference(rows_->RefVisible() ? -1 : rows_->RefMode()); });
    a.SetChecked(Command::ShowReferenceLine, [this] { return rows_ && rows_->RefVisible(); });
    a.Get(Command::ShowReferenceLine)->setStatusTip(tr("参照ライン表示"));
    a.Add(Command::ShowColourMonitor, [this] { monitor_->setVisible(!monitor_->isVisible()); });
    a.SetChecked(Command::ShowColourMonitor, [this] { return monitor_->isVisible(); });
    a.Add(Command::SoundProperties, [this] { soundProperties_->Execute(session_->State().SoundPath()); },
          [&s] { return !s.State().SoundPath().empty(); });

    a.Add(Command::ProjectSettings, [this] { RunProjectSettingsDialog(false); });

    // Not in the command list: the colour bar's own command and the plain menu items.
    a.Add(Command::ZeroBrightness, [&s] { s.ZeroBrightnessCommand(); }, current);
    a.Add(Command::Repeat, [&s] { s.ToggleRepeat(); });
    a.SetChecked(Command::Repeat, [&s] { return s.Env().Repeat.load(); });
    const QString mixer = QStandardPaths::findExecutable("pavucontrol");
    a.Add(Command::VolumeControl, [mixer] { QProcess::startDetached(mixer, {}); },
          [mixer] { return !mixer.isEmpty(); });
    icon(Command::VolumeControl, IconKind::Volume);
    a.Add(Command::Exit, [this] { close(); });
    icon(Command::Exit, IconKind::Exit);
    a.Add(Command::Options, [this] { RunOptionsDialog(); });
    a.Add(Command::About, [this] { aboutBox_->exec(); });
    for (QAction* action : actions_->findChildren<QAction*>())
        addAction(action); // shortcuts work wherever the focus is
}

void MainWindow::CreateMenus()
{
    ActionRegistry& a = *actions_;
    auto menu = [this](const char* name, const QString& title) {
        QMenu* m = menuBar()->addMenu(title);
        m->setObjectName(name);
        connect(m, &QMenu::aboutToShow, actions_, &ActionRegistry::Update);
        return m;
    };
    QMenu* file = menu("File1", tr("ファイル(&F)"));
    Fill(file, a, {Command::NewProject, Command::OpenProject, Command::SaveProject, Command::SaveProjectAs});
    historyMenu_ = file->addMenu(tr("最近開いたプロジェクト(&H)"));
    historyMenu_->setObjectName("FileHistoryItem");
    connect(file, &QMenu::aboutToShow, this, &MainWindow::UpdateFileHistoryMenu);
    Fill(file, a, {std::nullopt, Command::SaveGroup, Command::LoadGroup, std::nullopt, Command::Exit});

    QMenu* edit = menu("Edit1", tr("編集(&E)"));
    Fill(edit, a,
         {Command::Cut, Command::Copy, Command::Paste, std::nullopt, Command::SelectAll, std::nullopt, Command::AddStep,
          Command::AddBlankStep, Command::DeleteSteps, Command::DeleteAllSteps, std::nullopt, Command::StepColour, Command::StepTime,
          Command::MoveStepToCursor, std::nullopt, Command::Undo, std::nullopt, Command::PreviousStep, Command::NextStep, std::nullopt, Command::CopyFromLine,
          Command::ExtendedSelection});
    QMenu* play = menu("Play1", tr("再生(&P)"));
    Fill(play, a,
         {Command::PlayFromTop, Command::Play, Command::Pause, Command::Stop, Command::ToSoundStart, Command::ToSoundEnd,
          Command::Repeat, std::nullopt, Command::VolumeControl});

    QMenu* show = menu("Show1", tr("表示(&V)"));
    QMenu* bars = show->addMenu(tr("ツールバー(&T)"));
    bars->setObjectName("ViewToolBarItem");
    connect(bars, &QMenu::aboutToShow, actions_, &ActionRegistry::Update);
    Fill(bars, a, {ToolBarActions[0], ToolBarActions[1], ToolBarActions[2], ToolBarActions[3]});
    Fill(show, a,
         {Command::ShowStatusBar, std::nullopt, Command::ZoomIn, Command::ZoomOut, Command::ZoomFit, std::nullopt, Command::MonoWaveform, std::nullopt,
          Command::ShowReferenceLine, Command::ShowColourMonitor, std::nullopt, Command::SoundProperties});
    QMenu* option = menu("Option1", tr("設定(&O)"));
    Fill(option, a, {Command::ProjectSettings, std::nullopt, Command::Options});
    QMenu* help = menu("Help1", tr("ヘルプ(&H)"));
    // The manual stands in for both the help file and the web page.
    QAction* contents = help->addAction(tr("目次(&C)"));
    contents->setObjectName("Contents1");
    connect(contents, &QAction::triggered, this, [this] { ShowHelp(0); });
    QAction* web = help->addAction(tr("Webページ(&W)"));
    web->setObjectName("HelpWebItem");
    connect(web, &QAction::triggered, this, [this] { ShowHelp(0); });
    QAction* demo = help->addAction(tr("デモショーを開く(&D)"));
    demo->setObjectName("HelpDemoItem");
    connect(demo, &QAction::triggered, this, [this] { session_->Files().OpenDemo(); });
    Fill(help, a, {std::nullopt, Command::About});
    int context = HelpContext::FileMenu;
    for (QMenu* m : {file, edit, play, show, option, help})
        m->setProperty("helpContext", context++);
    UpdateFileHistoryMenu();

    lineMenu_ = new QMenu(this);
    lineMenu_->setObjectName("ChgTrkPopupMenu");
    for (int line = 0; line < LineCount; ++line) {
        QAction* item = lineMenu_->addAction(QString("Line %1").arg(line + 1));
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, line] { session_->SetCurrentLine(line, false); });
    }
    connect(lineMenu_, &QMenu::aboutToShow, this, [this] {
        const QList<QAction*> items = lineMenu_->actions();
        for (int line = 0; line < int(items.size()); ++line)
            items[line]->setChecked(line == session_->Document().CurrentLine);
    });

    CreateReferenceMenu();
    stepMenu_ = ActionMenu("PopupMenu1", {Command::Cut, Command::Copy, Command::Paste, std::nullopt, Command::SelectAll,
                                            std::nullopt, Command::AddStep, Command::AddBlankStep, Command::DeleteSteps,
                                            Command::DeleteAllSteps, std::nullopt, Command::StepColour, Command::StepTime,
                                            Command::MoveStepToCursor, std::nullopt, Command::CopyFromLine});
    laneMenu_ = ActionMenu("PopupMenu2", {Command::Cut, Command::Copy, Command::Paste, std::nullopt, Command::SelectAll,
                                            std::nullopt, Command::DeleteSteps, Command::DeleteAllSteps, Command::CopyFromLine});
}

void MainWindow::CreateReferenceMenu()
{
    referenceMenu_ = new QMenu(this);
    referenceMenu_->setObjectName("RefTrkPopupMenu");
    auto item = [this](const QString& caption, int tag) {
        QAction* a = referenceMenu_->addAction(caption);
        a->setData(tag);
        a->setCheckable(true);
        connect(a, &QAction::triggered, this, [this, tag] { rows_->ChooseReference(tag); });
    };
    for (int line = 0; line < LineCount; ++line)
        item(QString("Line %1").arg(line + 1), line);
    item(tr("全ラインカラー表示(&A)"), ReferenceView::AllLines);
    referenceMenu_->addSeparator();
    item(tr("非表示(&N)"), -1);
    // The multi-line commands (and their separators) belong to the all-lines view.
    const std::optional<Command> multi[] = {std::nullopt,         Command::CutLines,   Command::CopyLines,
                                            Command::PasteLines,  std::nullopt,        Command::SelectAllLines,
                                            std::nullopt,         Command::AlignLines, Command::StretchTime,
                                            Command::StretchBrightness};
    std::vector<QAction*> multiItems;
    for (const std::optional<Command>& c : multi) {
        QAction* item = c ? actions_->Get(*c) : referenceMenu_->addSeparator();
        if (c)
            referenceMenu_->addAction(item);
        multiItems.push_back(item);
    }
    connect(referenceMenu_, &QMenu::aboutToShow, this, [this, multiItems] {
        actions_->Update();
        for (QAction* a : referenceMenu_->actions())
            if (a->data().isValid())
                a->setChecked(a->data().toInt() == rows_->RefMode());
        const bool allLines = rows_->RefVisible() && rows_->RefMode() == ReferenceView::AllLines;
        for (QAction* item : multiItems)
            item->setVisible(allLines);
    });
}

QMenu* MainWindow::ActionMenu(const char* objectName, std::initializer_list<std::optional<Command>> commands)
{
    auto* m = new QMenu(this);
    m->setObjectName(objectName);
    Fill(m, *actions_, commands);
    connect(m, &QMenu::aboutToShow, actions_, &ActionRegistry::Update);
    return m;
}

void MainWindow::CreateToolBars()
{
    ActionRegistry& a = *actions_;
    auto bar = [this](int n, const QString& caption) {
        QToolBar* t = addToolBar(caption);
        t->setObjectName(QString("ToolBar%1").arg(n));
        t->setIconSize(QSize(20, 20));
        toolBars_[size_t(n - 1)] = t;
        return t;
    };
    auto fill = [&a](QToolBar* t, CommandRow commands) {
        for (const std::optional<Command>& c : commands) {
            if (c)
                t->addAction(a.Get(*c));
            else
                t->addSeparator();
        }
    };
    fill(bar(1, tr("ファイル")), {Command::NewProject, Command::OpenProject, Command::SaveProject, Command::SaveProjectAs, std::nullopt,
                             Command::Cut, Command::Copy, Command::Paste});
    fill(bar(2, tr("編集")), {Command::AddStep, Command::AddBlankStep, Command::DeleteSteps, std::nullopt, Command::StepColour, std::nullopt,
                          Command::PreviousStep, Command::NextStep, std::nullopt, Command::ZoomIn, Command::ZoomOut, Command::ZoomFit, std::nullopt,
                          Command::Undo});
    // The player and the palette are tall: they take a row of their own below the buttons.
    addToolBarBreak();
    QToolBar* player = bar(3, tr("プレーヤ"));
    QAction* const transport[6] = {a.Get(Command::PlayFromTop), a.Get(Command::Play),     a.Get(Command::Pause),
                                   a.Get(Command::Stop),    a.Get(Command::ToSoundStart), a.Get(Command::ToSoundEnd)};
    playPanel_ = new TransportPanel(transport, player);
    player->addWidget(playPanel_);
    connect(playPanel_, &TransportPanel::volumeChanged, this, [this](int v) {
        // v x 257 maps 0..255 onto the whole 16-bit range, so reading back gives v again.
        WriteWaveOutVolume(uint16_t(v * 257));
        SetStatus(StatusPanel::Value, QString::asprintf("%s=%3u", qUtf8Printable(CoreText(Msg::Volume)), unsigned(v * 100 / 255)));
    });
    for (QWidget* w : {static_cast<QWidget*>(playPanel_->LineLabel()), static_cast<QWidget*>(playPanel_->OutputPanel())}) {
        w->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(w, &QWidget::customContextMenuRequested, this,
                [this, w](const QPoint& at) { lineMenu_->popup(w->mapToGlobal(at)); });
    }
    QToolBar* palette = bar(4, tr("カラーパレット"));
    colourBar_ = new ColourBar(*session_, a.Get(Command::ZeroBrightness), palette);
    palette->addWidget(colourBar_);
    connect(colourBar_, &ColourBar::commandRequested, actions_, &ActionRegistry::Trigger);
    connect(colourBar_, &ColourBar::lineMenuRequested, this, [this](const QPoint& at) { lineMenu_->popup(at); });
}

void MainWindow::ReadShortCuts()
{
    const IniFile& ini = session_->Settings();
    std::vector<const QAction*> leftWithout;
    for (QAction* action : actions_->CommandList()) {
        std::string text = ReadShortCut(ini, action->objectName().toStdString());
        if (text == NoShortCutText)
            leftWithout.push_back(action);
        else if (text.empty())
            text = ShortCutTextOf(action->shortcut());
        action->setShortcut(KeySequenceOf(text));
    }
    // Unless the person took their key away on purpose (moved it to another command).
    for (const auto& [command, text] : FixedShortCuts)
        if (QAction* action = actions_->Get(command);
            action->shortcut().isEmpty() && std::ranges::find(leftWithout, action) == leftWithout.end())
            action->setShortcut(KeySequenceOf(text));
    // A key held by two commands would run neither: the first in the list keeps it.
    const std::vector<QAction*> commands = actions_->CommandList();
    std::vector<QKeySequence> keys;
    for (const QAction* action : commands)
        keys.push_back(action->shortcut());
    keys = WithoutDuplicateShortcuts(std::move(keys));
    for (size_t i = 0; i < commands.size(); ++i)
        commands[i]->setShortcut(keys[i]);
}

void MainWindow::WriteShortCuts()
{
    IniFile& ini = session_->Settings();
    for (const QAction* action : actions_->CommandList()) {
        // Without a key is a value of its own: an empty one would bring the built-in key back.
        const std::string text = ShortCutTextOf(action->shortcut());
        WriteShortCut(ini, action->objectName().toStdString(), text.empty() ? std::string(NoShortCutText) : text);
    }
}

void MainWindow::StepToNeighbour(bool next)
{
    const std::optional<int32_t> time = session_->StepToNeighbour(next);
    if (!time)
        return;
    if (session_->State().AudioState != AudioStateKind::Playing) {
        // Keep the step in view, with 20 pixels to spare.
        const int x = view_->XOfTime(*time);
        const int left = view_->ScrollPosition();
        const int width = view_->ViewportWidth();
        if (next && x > left + width)
            view_->SetScrollPosition(x - 20);
        else if (!next && x < left)
            view_->SetScrollPosition(x - width + 20);
    }
}

void MainWindow::RunExtendedSelection()
{
    if (selectionDialog_->exec() == QDialog::Accepted)
        session_->SelectionReplaced();
}
