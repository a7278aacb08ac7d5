// The main window's commands: every action with its caption, image, built-in shortcut and
// enabling rule, the main menu, the context menus, the tool bars, and the shortcut table
// of the settings file.
#include "common/output_volume.h"
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

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QStandardPaths>
#include <QStatusBar>
#include <QToolBar>

#include <string_view>

namespace {

// The toolbar toggles, told apart by their tag: ToolBar1 to ToolBar4.
constexpr const char* ToolBarActions[4] = {"ViewFilToolAction", "ViewEditToolAction", "ViewPlayerAction",
                                           "ViewCurPalAction"};

// The shortcuts that cut, copy and paste always have after a start.
constexpr std::pair<const char*, const char*> FixedShortCuts[] = {
    {"CutStepAction", "Ctrl+X"}, {"CpyStepAction", "Ctrl+C"}, {"PstStepAction", "Ctrl+V"}};

void Fill(QMenu* menu, ActionRegistry& actions, std::initializer_list<const char*> names)
{
    for (const char* name : names) {
        if (std::string_view(name) == "-")
            menu->addSeparator();
        else
            menu->addAction(actions.Get(name));
    }
}

} // namespace

void MainWindow::CreateActions()
{
    EditorSession& s = *session_;
    ActionRegistry& a = *actions_;
    ProjectData& doc = s.Document();
    auto idle = [this] { return !session_->Playing(); };
    auto current = [&s] { return s.CurrentStepRec() != nullptr; };
    auto lineSelected = [&doc] { return doc.CountSelected() > 0; };
    auto anySelected = [&doc] { return doc.CountSelectedAll() > 0; };
    auto anySteps = [&doc] { return doc.TotalStepCount() > 0; };
    auto icon = [&a](const char* name, IconKind kind) { a.Get(name)->setIcon(ToolIcon(kind)); };

    // File commands.
    a.Add("NewPrjAction", "プロジェクトの新規作成(&N)", [&s] { s.NewProject(); }, idle);
    a.Add("OpenPrjAction", "プロジェクトを開く(&O)...", [&s] { s.OpenProjectCommand(); }, idle);
    a.Add("SavePrjAction", "上書き保存(&S)", [&s] { s.SaveProjectCommand(); }, [&doc] { return doc.Modified; });
    a.Add("SaveAsPrjAction", "名前を付けて保存(&A)...", [&s] { s.SaveProjectAs(); }, idle);
    a.Add("SaveSelGrpAction", "選択基点をファイルに保存  ", [&s] { s.SaveGroupCommand(); }, anySelected);
    a.Add("LoadGrpAction", "ファイルからカーソル位置に読込...", [&s] { s.LoadGroupCommand(); },
          [&s] { return s.SummaryLoaded(); });
    icon("NewPrjAction", IconKind::New);
    icon("OpenPrjAction", IconKind::Open);
    icon("SavePrjAction", IconKind::Save);
    icon("SaveAsPrjAction", IconKind::SaveAs);

    // Edit commands.
    a.Add("CutStepAction", "切り取り(&T)", [&s] { s.CutStepCommand(); }, lineSelected);
    a.Add("CpyStepAction", "コピー(&C)", [&s] { s.CopyStepCommand(); }, lineSelected);
    a.Add("PstStepAction", "貼り付け(&P)", [&s] { s.PasteStepCommand(); }, [&doc] { return !doc.LineClipboard.empty(); });
    a.Add("SelectAllAction", "全て選択(&S)", [&s] { s.SelectAllCommand(); }, anySteps);
    a.Add("AddStepAction", Caption::AddStep, [this] { session_->AddStepCommand(CursorTime()); },
          [&s] { return s.CanAddStep(); });
    a.Add("AddBlkStepAction", "空基点追加(&B)", [this] { session_->AddBlankStepCommand(CursorTime()); },
          [&s] { return s.CanAddStep(); });
    a.Add("DelStepAction", "基点の削除(&D)", [&s] { s.DeleteStepCommand(); }, lineSelected);
    a.Add("DelAllStepAction", "全ての基点を削除(&K)", [&s] { s.DeleteAllStepsCommand(); },
          [&doc] { return !doc.Lines[size_t(std::clamp(doc.CurrentLine.load(), 0, LineCount - 1))].empty(); });
    a.Add("PropStepAction", Caption::PropStep, [this] { session_->PropStepCommand(CursorTime()); },
          [&s] { return s.CanEditSteps(); });
    a.Add("TimeStepAction", Caption::TimeStep, [&s] { s.TimeStepCommand(); }, [&s] { return s.CanEditSteps(); });
    a.Add("MovToCsrPosAction", "基点をカーソル位置へ移動(&M)", [&s] { s.MoveToCursorCommand(); }, current);
    a.Add("UndoAction", "元に戻す(&U)", [&s] { s.UndoCommand(); }, [&doc] { return !doc.UndoList.empty(); });
    a.Add("PrvStpAction", "前の基点へ(&P)", [this] { StepToNeighbour(false); },
          [&s] { return s.Edit().CurrentStep > 0; });
    a.Add("NxtStpAction", "次の基点へ(&N)", [this] { StepToNeighbour(true); }, [&s, &doc] {
        const int n = int(doc.Lines[size_t(std::clamp(doc.CurrentLine.load(), 0, LineCount - 1))].size());
        return n > 0 && s.Edit().CurrentStep < n - 1;
    });
    a.Add("CpyFrmTrkAction", "他ラインからコピー(&F)...", [&s] { s.CopyFromLineCommand(); }, anySteps);
    a.Add("SelectExAction", "拡張選択(&E)", [this] { RunExtendedSelection(); }, anySteps);
    Transport& t = s.Player();
    a.Add("PrvTimAction", "0.1秒戻る", [&t] { t.PrvTimAction(); });
    a.Add("NxtTimAction", "0.1秒進む", [&t] { t.NxtTimAction(); });
    a.Add("UpBrightAction", "明度を上げる", [&s] { s.BrightnessStepCommand(true); }, current);
    a.Add("DownBrightAction", "明度を下げる", [&s] { s.BrightnessStepCommand(false); }, current);
    a.Get("PrvStpAction")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Left));
    a.Get("NxtStpAction")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Right));
    a.Get("PrvTimAction")->setShortcut(QKeySequence(Qt::Key_Left));
    a.Get("NxtTimAction")->setShortcut(QKeySequence(Qt::Key_Right));
    a.Get("UpBrightAction")->setShortcut(QKeySequence(Qt::Key_Up));
    a.Get("DownBrightAction")->setShortcut(QKeySequence(Qt::Key_Down));
    icon("CutStepAction", IconKind::Cut);
    icon("CpyStepAction", IconKind::Copy);
    icon("PstStepAction", IconKind::Paste);
    icon("AddStepAction", IconKind::AddStep);
    icon("AddBlkStepAction", IconKind::AddBlankStep);
    icon("DelStepAction", IconKind::DeleteStep);
    icon("PropStepAction", IconKind::StepColor);
    icon("UndoAction", IconKind::Undo);
    icon("PrvStpAction", IconKind::PrevStep);
    icon("NxtStpAction", IconKind::NextStep);

    // Multi-line commands of the reference view's menu.
    a.Add("CutMltAction", "複数ラインの切り取り(&T)", [&s] { s.CutMultiCommand(); }, anySelected);
    a.Add("CpyMltAction", "複数ラインのコピー(&C)", [&s] { s.CopyMultiCommand(); }, anySelected);
    a.Add("PstMltAction", "複数ラインの貼り付け(&P)", [&s] { s.PasteMultiCommand(); },
          [&doc] { return !doc.MultiClipboard.empty(); });
    a.Add("SelectAllMltAction", "全ライン全て選択(&M)", [&s] { s.SelectAllMultiCommand(); });
    a.Add("AlignMltAction", "複数ライン位置揃え(&L)", [&s] { s.AlignMultiCommand(); }, anySelected);
    a.Add("StretchMltAction", "複数ラインのタイム伸縮(&S)", [&s] { s.StretchMultiCommand(true); }, anySelected);
    a.Add("StretchBrtAction", "複数ラインの明暗伸縮(&B)", [&s] { s.StretchMultiCommand(false); }, anySelected);
    icon("CutMltAction", IconKind::Cut);
    icon("CpyMltAction", IconKind::Copy);
    icon("PstMltAction", IconKind::Paste);

    // Play commands.
    auto enabled = [&s](TransportCommand c) { return [&s, c] { return s.Player().Enabled(c, s.SummaryLoaded()); }; };
    a.Add("TopPlayAction", "先頭から再生", [&t] { t.TopPlayAction(); }, enabled(TransportCommand::TopPlay));
    a.Add("PlayAction", "再生", [&t] { t.PlayAction(); }, enabled(TransportCommand::Play));
    a.Add("PauseAction", "一旦停止", [&t] { t.PauseAction(); }, enabled(TransportCommand::Pause));
    a.Add("StopAction", "停止", [&t] { t.StopAction(); }, enabled(TransportCommand::Stop));
    a.Add("ToTopPosAction", "サウンドの先頭へ", [&t] { t.ToTopPosAction(); }, enabled(TransportCommand::ToTopPos));
    a.Add("ToEndPosAction", "サウンドの最後へ", [&t] { t.ToEndPosAction(); }, enabled(TransportCommand::ToEndPos));
    icon("TopPlayAction", IconKind::TopPlay);
    icon("PlayAction", IconKind::Play);
    icon("PauseAction", IconKind::Pause);
    icon("StopAction", IconKind::Stop);
    icon("ToTopPosAction", IconKind::ToTop);
    icon("ToEndPosAction", IconKind::ToEnd);
    for (const char* name : {"TopPlayAction", "PlayAction", "PauseAction", "StopAction", "ToTopPosAction",
                             "ToEndPosAction", "PrvTimAction", "NxtTimAction"})
        a.Get(name)->setStatusTip(a.Get(name)->text());

    // View commands.
    const char* const barCaptions[4] = {"標準バー(&F)", "編集バー(&E)", "プレーヤ(&P)", "カラーパレット(&C)"};
    for (int tag = 0; tag < 4; ++tag) {
        a.Add(ToolBarActions[tag], barCaptions[tag], [this, tag] {
            QToolBar* bar = toolBars_[size_t(tag)];
            bar->setVisible(bar->isHidden());
        });
        a.SetChecked(ToolBarActions[tag], [this, tag] {
            const QToolBar* bar = toolBars_[size_t(tag)];
            return bar && !bar->isHidden();
        });
    }
    a.Add("ViewSttBarAction", "ステータスバー(&S)", [this] { statusBar()->setVisible(statusBar()->isHidden()); });
    a.SetChecked("ViewSttBarAction", [this] { return !statusBar()->isHidden(); });
    auto playPosition = [this] { return session_->State().Play.PlayPosition.load(); };
    a.Add("ZoomInAction", "タイムスケール拡大(&I)",
          [this, playPosition] {
              view_->ZoomIn(playPosition());
              ShowScale();
          },
          [this] { return view_->ZoomInEnabled(); });
    a.Add("ZoomOutAction", "タイムスケール縮小(&O)",
          [this, playPosition] {
              view_->ZoomOut(playPosition());
              ShowScale();
          },
          [this] { return view_->ZoomOutEnabled(); });
    a.Add("ZoomFitAction", "タイムスケールを画面幅に(&F)",
          [this, playPosition] {
              view_->ZoomFit(playPosition());
              ShowScale();
          },
          [this] { return view_->ZoomFitEnabled(); });
    icon("ZoomInAction", IconKind::ZoomIn);
    icon("ZoomOutAction", IconKind::ZoomOut);
    icon("ZoomFitAction", IconKind::ZoomFit);
    a.Add("DispMonoAction", "モノラル表示(&M)", [this] {
        view_->SetMonoDisplay(!view_->MonoDisplay());
        LayOutWaveforms();
    });
    a.SetChecked("DispMonoAction", [this] { return view_->MonoDisplay(); });
    a.Add("ViewRefTrkAction", "参照ライン(&R)",
          [this] { rows_->ChooseReference(rows_->RefVisible() ? -1 : rows_->RefMode()); });
    a.SetChecked("ViewRefTrkAction", [this] { return rows_ && rows_->RefVisible(); });
    a.Get("ViewRefTrkAction")->setStatusTip("参照ライン表示");
    a.Add("ViewColMonAction", "カラーモニタ", [this] { monitor_->setVisible(!monitor_->isVisible()); });
    a.SetChecked("ViewColMonAction", [this] { return monitor_->isVisible(); });
    a.Add("PropertyAction", "サウンドファイルのプロパティ(&R)",
          [this] { soundProperties_->Execute(session_->State().SoundPath()); },
          [&s] { return !s.State().SoundPath().empty(); });

    a.Add("SetPrjAction", "プロジェクトの設定(&S)...", [this] { RunProjectSettingsDialog(false); });

    // Not in the command list: the colour bar's own command and the plain menu items.
    a.Add("CurBrt0Action", "0", [this] { ZeroBrightnessCommand(); }, current);
    a.Unlist("CurBrt0Action");
    a.Add("RepeatPlyItem", "繰り返し(&R)", [&s] { s.Env().Repeat = !s.Env().Repeat; });
    a.SetChecked("RepeatPlyItem", [&s] { return s.Env().Repeat.load(); });
    const QString mixer = QStandardPaths::findExecutable("pavucontrol");
    a.Add("VolCtlItem", "ボリュームコントロール(&V)", [mixer] { QProcess::startDetached(mixer, {}); },
          [mixer] { return !mixer.isEmpty(); });
    icon("VolCtlItem", IconKind::Volume);
    a.Add("ExitItem", "終了(&X)", [this] { close(); });
    icon("ExitItem", IconKind::Exit);
    a.Add("OptionItem", "オプション設定(&O)...", [this] { RunOptionsDialog(); });
    a.Add("HelpAboutItem", "バージョン情報(&A)", [this] { aboutBox_->exec(); });
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
    QMenu* file = menu("File1", "ファイル(&F)");
    Fill(file, a, {"NewPrjAction", "OpenPrjAction", "SavePrjAction", "SaveAsPrjAction"});
    historyMenu_ = file->addMenu("最近開いたプロジェクト(&H)");
    historyMenu_->setObjectName("FileHistoryItem");
    connect(file, &QMenu::aboutToShow, this, &MainWindow::UpdateFileHistoryMenu);
    Fill(file, a, {"-", "SaveSelGrpAction", "LoadGrpAction", "-", "ExitItem"});

    QMenu* edit = menu("Edit1", "編集(&E)");
    Fill(edit, a,
         {"CutStepAction", "CpyStepAction", "PstStepAction", "-", "SelectAllAction", "-", "AddStepAction",
          "AddBlkStepAction", "DelStepAction", "DelAllStepAction", "-", "PropStepAction", "TimeStepAction",
          "MovToCsrPosAction", "-", "UndoAction", "-", "PrvStpAction", "NxtStpAction", "-", "CpyFrmTrkAction",
          "SelectExAction"});
    QMenu* play = menu("Play1", "再生(&P)");
    Fill(play, a,
         {"TopPlayAction", "PlayAction", "PauseAction", "StopAction", "ToTopPosAction", "ToEndPosAction",
          "RepeatPlyItem", "-", "VolCtlItem"});

    QMenu* show = menu("Show1", "表示(&V)");
    QMenu* bars = show->addMenu("ツールバー(&T)");
    bars->setObjectName("ViewToolBarItem");
    connect(bars, &QMenu::aboutToShow, actions_, &ActionRegistry::Update);
    Fill(bars, a, {ToolBarActions[0], ToolBarActions[1], ToolBarActions[2], ToolBarActions[3]});
    Fill(show, a,
         {"ViewSttBarAction", "-", "ZoomInAction", "ZoomOutAction", "ZoomFitAction", "-", "DispMonoAction", "-",
          "ViewRefTrkAction", "ViewColMonAction", "-", "PropertyAction"});
    QMenu* option = menu("Option1", "設定(&O)");
    Fill(option, a, {"SetPrjAction", "-", "OptionItem"});
    QMenu* help = menu("Help1", "ヘルプ(&H)");
    // The manual stands in for both the help file and the web page.
    QAction* contents = help->addAction("目次(&C)");
    contents->setObjectName("Contents1");
    connect(contents, &QAction::triggered, this, [this] { ShowHelp(0); });
    QAction* web = help->addAction("Webページ(&W)");
    web->setObjectName("HelpWebItem");
    connect(web, &QAction::triggered, this, [this] { ShowHelp(0); });
    Fill(help, a, {"-", "HelpAboutItem"});
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
    stepMenu_ = ActionMenu("PopupMenu1", {"CutStepAction", "CpyStepAction", "PstStepAction", "-", "SelectAllAction",
                                            "-", "AddStepAction", "AddBlkStepAction", "DelStepAction",
                                            "DelAllStepAction", "-", "PropStepAction", "TimeStepAction",
                                            "MovToCsrPosAction", "-", "CpyFrmTrkAction"});
    laneMenu_ = ActionMenu("PopupMenu2", {"CutStepAction", "CpyStepAction", "PstStepAction", "-", "SelectAllAction",
                                            "-", "DelStepAction", "DelAllStepAction", "CpyFrmTrkAction"});
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
    item("全ラインカラー表示(&A)", ReferenceView::AllLines);
    referenceMenu_->addSeparator();
    item("非表示(&N)", -1);
    const char* const multi[] = {"-", "CutMltAction", "CpyMltAction", "PstMltAction", "-", "SelectAllMltAction",
                                 "-", "AlignMltAction", "StretchMltAction", "StretchBrtAction"};
    std::vector<QAction*> multiItems;
    for (const char* name : multi) {
        if (std::string_view(name) == "-")
            multiItems.push_back(referenceMenu_->addSeparator());
        else
            referenceMenu_->addAction(actions_->Get(name));
    }
    connect(referenceMenu_, &QMenu::aboutToShow, this, [this, multi, multiItems] {
        actions_->Update();
        for (QAction* a : referenceMenu_->actions())
            if (a->data().isValid())
                a->setChecked(a->data().toInt() == rows_->RefMode());
        // The multi-line commands (and their separators) belong to the all-lines view.
        const bool allLines = rows_->RefVisible() && rows_->RefMode() == ReferenceView::AllLines;
        for (const char* name : multi)
            if (QAction* a = actions_->Get(name))
                a->setVisible(allLines);
        for (QAction* separator : multiItems)
            separator->setVisible(allLines);
    });
}

QMenu* MainWindow::ActionMenu(const char* objectName, std::initializer_list<const char*> names)
{
    auto* m = new QMenu(this);
    m->setObjectName(objectName);
    Fill(m, *actions_, names);
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
    auto fill = [&a](QToolBar* t, std::initializer_list<const char*> names) {
        for (const char* name : names) {
            if (std::string_view(name) == "-")
                t->addSeparator();
            else
                t->addAction(a.Get(name));
        }
    };
    fill(bar(1, "ファイル"), {"NewPrjAction", "OpenPrjAction", "SavePrjAction", "SaveAsPrjAction", "-",
                             "CutStepAction", "CpyStepAction", "PstStepAction"});
    fill(bar(2, "編集"), {"AddStepAction", "AddBlkStepAction", "DelStepAction", "-", "PropStepAction", "-",
                          "PrvStpAction", "NxtStpAction", "-", "ZoomInAction", "ZoomOutAction", "ZoomFitAction", "-",
                          "UndoAction"});
    // The player and the palette are tall: they take a row of their own below the buttons.
    addToolBarBreak();
    QToolBar* player = bar(3, "プレーヤ");
    QAction* const transport[6] = {a.Get("TopPlayAction"), a.Get("PlayAction"),     a.Get("PauseAction"),
                                   a.Get("StopAction"),    a.Get("ToTopPosAction"), a.Get("ToEndPosAction")};
    playPanel_ = new TransportPanel(transport, player);
    player->addWidget(playPanel_);
    connect(playPanel_, &TransportPanel::volumeChanged, this, [this](int v) {
        // v x 257 maps 0..255 onto the whole 16-bit range, so reading back gives v again.
        WriteWaveOutVolume(uint16_t(v * 257));
        SetStatus(2, QString::asprintf("%s=%3u", "音量", unsigned(v * 100 / 255)));
    });
    for (QWidget* w : {static_cast<QWidget*>(playPanel_->LineLabel()), static_cast<QWidget*>(playPanel_->OutputPanel())}) {
        w->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(w, &QWidget::customContextMenuRequested, this,
                [this, w](const QPoint& at) { lineMenu_->popup(w->mapToGlobal(at)); });
    }
    QToolBar* palette = bar(4, "カラーパレット");
    colourBar_ = new ColourBar(*session_, a.Get("CurBrt0Action"), palette);
    palette->addWidget(colourBar_);
    connect(colourBar_, &ColourBar::commandRequested, this, [this](const char* name) { actions_->Trigger(name); });
    connect(colourBar_, &ColourBar::lineMenuRequested, this, [this](const QPoint& at) { lineMenu_->popup(at); });
}

void MainWindow::ReadShortCuts()
{
    const IniFile& ini = session_->Settings();
    for (QAction* action : actions_->CommandList()) {
        std::string text = ReadShortCut(ini, action->objectName().toStdString());
        if (text.empty())
            text = ShortCutTextOf(action->shortcut());
        action->setShortcut(KeySequenceOf(text));
    }
    for (const auto& [name, text] : FixedShortCuts)
        if (QAction* action = actions_->Get(name); action->shortcut().isEmpty())
            action->setShortcut(KeySequenceOf(text));
}

void MainWindow::WriteShortCuts()
{
    IniFile& ini = session_->Settings();
    for (const QAction* action : actions_->CommandList())
        WriteShortCut(ini, action->objectName().toStdString(), ShortCutTextOf(action->shortcut()));
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
    RepaintCanvas();
    SetStatus(1, StatusTime(*time));
}

void MainWindow::RunExtendedSelection()
{
    if (selectionDialog_->exec() != QDialog::Accepted)
        return;
    RepaintCanvas();
    SetStatus(3, SelectionAllText(session_->Document()));
}
