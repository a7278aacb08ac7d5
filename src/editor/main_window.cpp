#include "editor/main_window.h"

#include "common/messages.h"
#include "common/output_volume.h"
#include "common/text_codec.h"
#include "dialogs/about_box.h"
#include "dialogs/node_details_dialog.h"
#include "dialogs/options_dialog.h"
#include "editor/session_dialog_host.h"
#include "monitor/colour_monitor.h"
#include "dialogs/image_file.h"
#include "dialogs/extended_selection_dialog.h"
#include "dialogs/project_settings_dialog.h"
#include "dialogs/sound_properties_box.h"
#include "dialogs/step_colour_dialog.h"
#include "dialogs/step_time_dialog.h"
#include "editor/actions.h"
#include "editor/canvas_rows.h"
#include "editor/display_snapshot.h"
#include "editor/help_manual.h"
#include "editor/panes/colour_bar.h"
#include "editor/panes/first_run_hint.h"
#include "editor/panes/lane_view.h"
#include "editor/panes/mark_bar.h"
#include "editor/panes/reference_view.h"
#include "editor/panes/transport_panel.h"
#include "editor/panes/waveform_pane.h"
#include "editor/session_dialog_host.h"
#include "editor/status_texts.h"
#include "editor/step_geometry.h"
#include "editor/view_state.h"
#include "editor/waveform_layout.h"
#include "settings/toolbar_placement.h"
#include "settings/window_placement.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLineEdit>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <utility>

namespace {

constexpr int PanelWidths[MainWindow::StatusPanels - 1] = {150, 120, 160, 150};
constexpr int HeaderWidth = 50;
const char* const ProjectFilter = "プロジェクトファイル (*.prj *.PRJ)";
const char* const GroupFilter = "基点ファイル (*.grp *.GRP)";

QString Q(const std::string& s) { return QString::fromStdString(s); }

WindowRect Bounds(const QWidget& w)
{
    const QRect r = w.geometry();
    return {r.x(), r.y(), r.width(), r.height()};
}

} // namespace

MainWindow::MainWindow(MainWindowOptions options, QWidget* parent)
    : QMainWindow(parent), options_(std::move(options))
{
    setObjectName("LurillForm");
    setWindowTitle("Lumenrill");
    // The display timer stays stopped until start-up has finished.
    displayTimer_ = new QTimer(this);
    connect(displayTimer_, &QTimer::timeout, this, &MainWindow::DisplayTick);
    autoSaveTimer_ = new QTimer(this);
    connect(autoSaveTimer_, &QTimer::timeout, this, [this] { session_->AutoSave(); });

    EditorSessionOptions sessionOptions;
    sessionOptions.ExeDir = options_.ExeDir;
    sessionOptions.SettingsPath = options_.SettingsPath;
    sessionOptions.Audio = options_.Audio;
    sessionOptions.Platform = options_.Platform;
    static ImageFileLoader pictures;
    sessionOptions.PaletteLoader = &pictures;
    session_ = new EditorSession(std::move(sessionOptions), options_.Prompts ? *options_.Prompts : *this, this);
    displayTimer_->setInterval(session_->Options().DispInterval);

    colourDialog_ = new StepColourDialog(session_->Env(), session_->Settings(), this);
    timeDialog_ = new StepTimeDialog(session_->Settings(), this);
    projectHost_ = std::make_unique<SessionProjectHost>(*session_);
    projectDialog_ = new ProjectSettingsDialog(*projectHost_, session_->Settings(), this);

    view_ = new ViewState(this);
    actions_ = new ActionRegistry(this);
    // The other windows, in their order: they exist from the start and are shown on demand.
    monitor_ = new ColourMonitor(session_->Settings(), session_->Env(), this);
    connect(monitor_, &ColourMonitor::lineSelected, this, [this](int line) {
        session_->Document().CurrentLine = line;
        actions_->Update();
    });
    nodeDetails_ = new NodeDetailsDialog(this);
    selectionDialog_ = new ExtendedSelectionDialog(session_->Document(), session_->Settings(), this);
    selectionDialog_->setProperty("helpContext", HelpContext::ExtendedSelection);
    aboutBox_ = new AboutBox(this);
    soundProperties_ = new SoundPropertiesBox(this);
    CreateActions();
    CreateMenus();
    CreateToolBars();
    ApplyToolBarHeights();
    CreateCanvas();
    CreateStatusBar();

    connect(session_, &EditorSession::titleChanged, this, &QWidget::setWindowTitle);
    connect(session_, &EditorSession::statusHint, this, [this](const QString& text) {
        SetStatus(4, text);
        statusBar()->repaint();
    });
    connect(session_, &EditorSession::oscStatus, this, [this](const QString& text) { SetStatus(4, text); });
    connect(session_, &EditorSession::showPlayPosition, this, &MainWindow::ShowPlayPositionAfterOsc);
    connect(session_, &EditorSession::transportNotice, this, &MainWindow::OnTransportNotice);
    connect(session_, &EditorSession::showReplaced, this, [this] {
        ApplyScale();
        rows_->ShowLine(session_->Document().CurrentLine);
        RepaintCanvas();
    });
    EditState& edit = session_->Edit();
    connect(&edit, &EditState::statusText, this, &MainWindow::SetStatus);
    connect(&edit, &EditState::colourLabelsStale, this, &MainWindow::UpdateColourLabels);
    connect(&edit, &EditState::currentLineChanged, this, &MainWindow::UpdateColourLabels);
    connect(session_, &EditorSession::commandDone, actions_, &ActionRegistry::Update);
    connect(session_, &EditorSession::documentChanged, this, [this](const DocumentChange& change) {
        if (change.Header)
            setWindowTitle(session_->WindowTitle());
        if (change.Lines || change.Selection)
            RepaintCanvas();
        if (change.Lines)
            UpdateColourLabels();
        actions_->Update();
    });
    connect(session_, &EditorSession::displayHold, this, [this](bool hold) {
        if (!started_ || closing_)
            return;
        if (hold)
            displayTimer_->stop();
        else
            displayTimer_->start();
    });
    setAcceptDrops(true);
    setProperty("helpContext", HelpContext::MainWindow);
    helpKeys_ = new HelpKeyFilter([this](int context) { ShowHelp(context); }, this);
    qApp->installEventFilter(helpKeys_);
    actions_->Update();
}

void MainWindow::ShowHelp(int context)
{
    const QUrl url = ManualUrl(context);
    if (url.isEmpty()) {
        ShowError("マニュアルが見つかりません");
        return;
    }
    if (options_.OpenUrl)
        options_.OpenUrl(url);
    else if (!QDesktopServices::openUrl(url))
        ShowError("マニュアルを開けません: " + url.toLocalFile().toStdString());
}

MainWindow::~MainWindow()
{
    if (!closing_) {
        closing_ = true;
        view_->SetClosing();
        session_->Close([this] { displayTimer_->stop(); }, {});
    }
}

QMenu* MainWindow::Menu(const QString& objectName) const { return menuBar()->findChild<QMenu*>(objectName); }


void MainWindow::SeekToX(int32_t time)
{
    session_->SeekTo(time);
    view_->MovePlayCursor(session_->State().Play.PlayPosition, session_->Playing());
    actions_->Update();
}

void MainWindow::ScrubTo(int canvasX, int32_t time)
{
    session_->ScrubTo(time);
    view_->MovePlayCursor(session_->State().Play.PlayPosition, false);
    FollowStepAt(canvasX);
}

void MainWindow::FollowStepAt(int x)
{
    EditState& edit = session_->Edit();
    const ProjectData& doc = session_->Document();
    edit.SetCurrentStep(
        FindStepNear(doc.Lines[size_t(std::clamp(doc.CurrentLine.load(), 0, LineCount - 1))], x, 0, view_->Axis()));
    if (edit.CurrentStep == edit.PreviousStep || !session_->Env().CurActivate)
        return;
    edit.RepaintCanvas();
    if (const TStepRec* s = session_->CurrentStepRec()) {
        // Following the play position is not an edit.
        ++edit.UpdateLock;
        edit.ShowBrightness(s->Brightness);
        --edit.UpdateLock;
        SetStatus(1, StatusTime(s->Time));
    }
    UpdateColourLabels();
}

void MainWindow::UpdateColourLabels()
{
    const int line = std::clamp(session_->Document().CurrentLine.load(), 0, LineCount - 1);
    playPanel_->SetOutput(line, session_->State().LineOutput[size_t(line)]);
    colourBar_->UpdateColourLabels();
}

void MainWindow::ZeroBrightnessCommand()
{
    EditState& edit = session_->Edit();
    if (!session_->CurrentStepRec()) {
        edit.CurrentStep = -1;
        return;
    }
    session_->ZeroBrightness();
    edit.ShowBrightness(0);
    SetStatus(2, BrightnessText(0));
    UpdateColourLabels();
    RepaintCanvas();
}

int32_t MainWindow::CursorTime() const { return view_->TimeOfX(view_->PlayCursorX()); }

void MainWindow::UpdateFileHistoryMenu()
{
    historyMenu_->clear();
    const FileHistoryMenu items = session_->Env().History.UpdateMenu();
    for (int i = 0; i < FileHistoryItems; ++i) {
        const FileHistoryMenu::Item& item = items.Items[size_t(i)];
        if (!item.Visible)
            continue;
        QAction* action = historyMenu_->addAction(Q(item.Caption));
        connect(action, &QAction::triggered, this, [this, i] { session_->OpenRecent(i); });
    }
    historyMenu_->setEnabled(items.Enabled);
    actions_->Update();
}


void MainWindow::CreateCanvas()
{
    canvas_ = new QWidget(this);
    auto* outer = new QVBoxLayout(canvas_);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    splitter_ = new QSplitter(Qt::Vertical, canvas_);
    splitter_->setObjectName("WCSplitter");
    splitter_->setHandleWidth(4);
    splitter_->setChildrenCollapsible(false);

    // The waveform row: the 50-pixel header column beside the two panes and the bevel.
    waveBlock_ = new QWidget(splitter_);
    auto* row = new QHBoxLayout(waveBlock_);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    auto* headers = new QWidget(waveBlock_);
    headers->setFixedWidth(HeaderWidth);
    auto* headerColumn = new QVBoxLayout(headers);
    headerColumn->setContentsMargins(0, 0, 0, 0);
    headerColumn->setSpacing(0);
    leftHeader_ = new QLabel("L", headers);
    rightHeader_ = new QLabel("R", headers);
    for (QLabel* h : {leftHeader_, rightHeader_}) {
        h->setAlignment(Qt::AlignCenter);
        h->setFrameShape(QFrame::Panel);
        h->setFrameShadow(QFrame::Raised);
        headerColumn->addWidget(h, 1);
    }
    row->addWidget(headers);

    auto* panes = new QWidget(waveBlock_);
    auto* column = new QVBoxLayout(panes);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    const WavSound& sound = session_->Sound();
    leftWaveform_ = new WaveformPane(WaveformPane::LeftTag, *view_, sound, panes);
    leftWaveform_->setObjectName("WavLPaintBox");
    waveBevel_ = new QFrame(panes);
    static_cast<QFrame*>(waveBevel_)->setFrameShape(QFrame::HLine);
    rightWaveform_ = new WaveformPane(WaveformPane::RightTag, *view_, sound, panes);
    rightWaveform_->setObjectName("WavRPaintBox");
    column->addWidget(leftWaveform_, 1);
    column->addWidget(waveBevel_);
    column->addWidget(rightWaveform_, 1);
    row->addWidget(panes, 1);
    firstRunHint_ = new FirstRunHint(panes);
    for (WaveformPane* pane : {leftWaveform_, rightWaveform_}) {
        pane->SetColors(WaveColorsFor(session_->Env(), pane->Tag()));
        connect(pane, &WaveformPane::seekRequested, this, [this](int, int32_t t) { SeekToX(t); });
        connect(pane, &WaveformPane::scrubRequested, this, &MainWindow::ScrubTo);
    }

    rows_ = new CanvasRows(*session_, *view_, splitter_);
    rows_->setMinimumHeight(40);
    LaneView* lane = rows_->Lane();
    connect(lane, &LaneView::stepMenuRequested, stepMenu_, [this](const QPoint& at) { stepMenu_->popup(at); });
    connect(lane, &LaneView::laneMenuRequested, laneMenu_, [this](const QPoint& at) { laneMenu_->popup(at); });
    connect(lane, &CanvasPane::commandRequested, this, [this](const char* name) { actions_->Trigger(name); });
    MarkBar* markBar = rows_->MarkBarPane();
    connect(markBar, &CanvasPane::contextMenuRequested, stepMenu_, [this](const QPoint& at) { stepMenu_->popup(at); });
    connect(markBar, &CanvasPane::commandRequested, this, [this](const char* name) { actions_->Trigger(name); });
    connect(markBar, &MarkBar::seekRequested, this, [this](int, int32_t t) { SeekToX(t); });
    connect(markBar, &MarkBar::scrubRequested, this, &MainWindow::ScrubTo);
    connect(rows_, &CanvasRows::refMenuRequested, referenceMenu_, [this](const QPoint& at) { referenceMenu_->popup(at); });
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);
    connect(splitter_, &QSplitter::splitterMoved, this, [this] {
        waveHeight_ = waveBlock_->height();
        LayOutWaveforms();
    });
    outer->addWidget(splitter_, 1);

    auto* barRow = new QHBoxLayout;
    barRow->setContentsMargins(HeaderWidth, 0, 0, 0);
    scrollBar_ = new QScrollBar(Qt::Horizontal, canvas_);
    scrollBar_->setObjectName("WCScrollBar");
    barRow->addWidget(scrollBar_);
    outer->addLayout(barRow);
    BindScrollBar(*scrollBar_, *view_);
    setCentralWidget(canvas_);
}

void MainWindow::CreateStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setSizeGripEnabled(true);
    for (int i = 0; i < StatusPanels; ++i) {
        auto* label = new QLabel(bar);
        label->setObjectName(QString("StatusPanel%1").arg(i));
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        if (i < StatusPanels - 1) {
            label->setFixedWidth(PanelWidths[i]);
            bar->addWidget(label);
        } else {
            label->setMinimumWidth(50);
            bar->addWidget(label, 1); // the last panel takes what is left
        }
        status_[size_t(i)] = label;
    }
}

void MainWindow::RepaintCanvas()
{
    // Panes paint opaquely: a parent's update does not reach them, so each is asked.
    for (QWidget* pane : canvas_->findChildren<QWidget*>())
        pane->update();
}

void MainWindow::SetStatus(int panel, const QString& text) { status_[size_t(panel)]->setText(text); }

bool MainWindow::event(QEvent* event)
{
    // Hints go to panel 4 and never cover the other panels.
    if (event->type() == QEvent::StatusTip) {
        SetStatus(4, static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        RestoreLayout();
    }
}

void MainWindow::RestoreLayout()
{
    IniFile& ini = session_->Settings();
    const MainViewSettings viewSettings = ReadMainViewSettings(ini);
    view_->SetMonoDisplay(viewSettings.DispMonoWav);
    waveHeight_ = std::max(viewSettings.WavLRHeight, 20);

    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    ScreenInfo info;
    info.MonitorCount = int(QGuiApplication::screens().size());
    info.Width = available.width();
    info.Height = available.height();
    const WindowRect placed = LoadPlacementA(ini, "LurillForm", {false, true},
                                             {0, 0, available.width(), available.height()},
                                             {width(), height()}, info);
    setGeometry(placed.Left, placed.Top, placed.Width, placed.Height);

    for (int n = 1; n <= ToolBarCount; ++n) {
        QToolBar* bar = toolBars_[size_t(n - 1)];
        const ToolBarPlacement p = LoadToolBar(ini, ToolBarSection(n), bar->y(), bar->x());
        bar->setVisible(p.Visible);
    }
    statusBar()->setVisible(ReadStatusBarVisible(ini));
    ReadShortCuts();
    rows_->SetReference(viewSettings.ViewRefTrack, viewSettings.RefTrack, viewSettings.RefTrackHi);
    if (viewSettings.ViewColMon)
        monitor_->show();
    LayOutWaveforms();
    playPanel_->SetVolume(ReadWaveOutVolume() >> 8);
    QMetaObject::invokeMethod(this, &MainWindow::FinishStartUp, Qt::QueuedConnection);
}

void MainWindow::FinishStartUp()
{
    if (closing_)
        return;
    repaint();
    session_->StartOsc();
    displayTimer_->start();
    actions_->StartTimer();
    const std::string last = session_->Env().PrjFile;
    if (!last.empty())
        session_->OpenProject(last);
    autoSaveTimer_->stop();
    ArmBackupTimer();
    started_ = true;
    if (!pendingOpen_.empty())
        session_->OpenProjectAsked(std::exchange(pendingOpen_, {}));
}

void MainWindow::OpenWhenStarted(const std::string& path)
{
    if (closing_ || path.empty())
        return;
    if (!started_) {
        pendingOpen_ = path;
        return;
    }
    raise();
    activateWindow();
    session_->OpenProjectAsked(path);
}

void MainWindow::ApplyToolBarHeights()
{
    // A flat bar has no raised button edges to make room for: two pixels less.
    const bool flat = session_->Env().FlatToolBar;
    for (int n : {1, 2})
        toolBars_[size_t(n - 1)]->setMinimumHeight(flat ? 30 : 32);
    for (int n : {3, 4})
        toolBars_[size_t(n - 1)]->setMinimumHeight(flat ? 56 : 58);
}

void MainWindow::ArmBackupTimer()
{
    autoSaveTimer_->stop();
    if (const std::optional<int64_t> interval = session_->Env().AutoSaveIntervalMs()) {
        // A Qt timer holds an int of milliseconds: longer intervals wait as long as it can.
        autoSaveTimer_->setInterval(int(std::min<int64_t>(*interval, INT32_MAX)));
        autoSaveTimer_->start();
    }
}

void MainWindow::RunOptionsDialog()
{
    if (!optionDialog_) {
        optionHost_ = std::make_unique<SessionOptionHost>(*session_, actions_->CommandList(), *displayTimer_);
        optionDialog_ = new OptionsDialog(*optionHost_, *nodeDetails_, this);
    }
    EnvData& env = session_->Env();
    OptionValues start;
    start.Colors = {env.LwavFg, env.LwavBg, env.RwavFg, env.RwavBg, env.BlankBg, env.TLinFg, env.TLinBg, env.CLinBg};
    start.FlatToolBar = env.FlatToolBar;
    start.DispTracking = env.DispTracking;
    start.MonClickTab = env.MonClickTab;
    start.UseWheel = env.UseWheel;
    start.CurActivate = env.CurActivate;
    start.AutoSave = env.AutoSave;
    start.SaveInterval = env.SaveInterval;
    start.ImgFile = env.ImgFile;
    start.LightLatency = session_->Options().LightLatency;
    const std::optional<OptionValues> values = optionDialog_->Execute(start);
    if (!values)
        return;
    env.LwavFg = values->Colors[0];
    env.LwavBg = values->Colors[1];
    env.RwavFg = values->Colors[2];
    env.RwavBg = values->Colors[3];
    env.BlankBg = values->Colors[4];
    env.TLinFg = values->Colors[5];
    env.TLinBg = values->Colors[6];
    env.CLinBg = values->Colors[7];
    env.FlatToolBar = values->FlatToolBar;
    env.DispTracking = values->DispTracking;
    env.MonClickTab = values->MonClickTab;
    env.UseWheel = values->UseWheel;
    env.CurActivate = values->CurActivate;
    env.AutoSave = values->AutoSave;
    env.SaveInterval = values->SaveInterval;
    session_->SetLightLatency(values->LightLatency);
    if (values->ImgFileChanged) {
        env.ImgFile = env.ImgFileSetting(values->ImgFile);
        env.LoadPalette(env.ImgFile);
    }
    ArmBackupTimer();
    for (QToolBar* bar : toolBars_)
        for (QToolButton* button : bar->findChildren<QToolButton*>())
            button->setAutoRaise(env.FlatToolBar);
    ApplyToolBarHeights();
    EngineState& s = session_->State();
    s.TotalLength = int32_t(std::clamp<int64_t>(int64_t(s.Play.PrePlayTime) + s.Play.SoundDuration + s.Play.PostPlayTime,
                                                INT32_MIN, INT32_MAX));
    for (WaveformPane* pane : {leftWaveform_, rightWaveform_})
        pane->SetColors(WaveColorsFor(env, pane->Tag()));
    ApplyScale();
    RepaintCanvas();
}

void MainWindow::LayOutWaveforms()
{
    const bool mono = view_->MonoDisplay();
    const int bevel = mono ? MonoBevelHeight : StereoBevelHeight;
    const WaveformLayout l = ::LayOutWaveforms(waveHeight_ / 2, bevel, waveHeight_ - waveHeight_ / 2 - bevel, mono);
    waveBevel_->setFixedHeight(l.BevelHeight);
    leftWaveform_->setFixedHeight(l.LeftHeight);
    rightWaveform_->setFixedHeight(l.RightHeight);
    leftHeader_->setFixedHeight(l.LeftHeight + l.BevelHeight / 2);
    rightHeader_->setFixedHeight(l.RightHeight + l.BevelHeight - l.BevelHeight / 2);
    leftHeader_->setText(l.LeftCaption);
    rightHeader_->setText(l.RightCaption);
    QList<int> sizes = splitter_->sizes();
    if (sizes.size() == 2) {
        const int total = sizes[0] + sizes[1];
        sizes[0] = l.WaveHeight;
        sizes[1] = std::max(total - l.WaveHeight, 40);
        splitter_->setSizes(sizes);
    }
    waveBlock_->setFixedHeight(l.WaveHeight);
    ApplyScale();
}

void MainWindow::ApplyScale()
{
    const EngineState& s = session_->State();
    Timeline timeline;
    timeline.PrePlayTime = s.Play.PrePlayTime;
    timeline.PostPlayTime = s.Play.PostPlayTime;
    timeline.TotalLength = s.TotalLength;
    timeline.FrameCount = session_->Sound().FrameCount();
    timeline.SoundLoaded = session_->SummaryLoaded();
    firstRunHint_->setVisible(!timeline.SoundLoaded);
    if (!timeline.SoundLoaded)
        firstRunHint_->raise();
    view_->SetTimeline(timeline);
    view_->SetViewportWidth(leftWaveform_->width());
    view_->ApplyScale(s.Play.PlayPosition);
    ShowScale();
}

void MainWindow::ShowScale() { SetStatus(2, QString::asprintf("%s=%6.3f", "スケール", view_->Scale())); }

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (shown_)
        QTimer::singleShot(0, this, [this] {
            if (!closing_)
                ApplyScale();
        });
}

void MainWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && shown_ && !closing_)
        ApplyScale();
}

void MainWindow::DisplayTick()
{
    if (closing_)
        return;
    EngineState& s = session_->State();
    // The lights show the step colour dialog's swatch while it is open.
    s.PreviewColor = colourDialog_->isVisible() ? colourDialog_->SwatchColor() : NoColor;
    DisplayInput in;
    in.RepeatRestarted = s.RepeatRestarted.exchange(false);
    const TArtnetThread* artnet = session_->Runtime().Artnet();
    in.SocketReady = artnet && artnet->SocketReady();
    in.NodeCount = artnet ? artnet->NodeCount() : 0;
    in.Axis = view_->Axis();
    in.PlayCursorX = view_->PlayCursorX();
    in.ScrollPosition = view_->ScrollPosition();
    in.ClientWidth = view_->ViewportWidth();
    const DisplaySnapshot snapshot = TakeDisplaySnapshot(s, in);

    if (snapshot.RestartScroll)
        view_->SetScrollPosition(*snapshot.RestartScroll);
    playPanel_->SetTime(Q(snapshot.TimeText), snapshot.TimeColor);
    view_->MovePlayCursor(s.Play.PlayPosition, s.AudioState == AudioStateKind::Playing);
    UpdateColourLabels();
    std::array<uint32_t, LineCount> outputs;
    for (size_t i = 0; i < outputs.size(); ++i)
        outputs[i] = s.LineOutput[i];
    monitor_->ShowOutputs(outputs, std::clamp(int(session_->Document().CurrentLine), 0, LineCount - 1),
                         !s.TransportActive);
    SetStatus(0, Q(snapshot.Status));

    if (!session_->Runtime().Errors().Empty() && !showingErrors_)
        QMetaObject::invokeMethod(this, &MainWindow::ShowPostedErrors, Qt::QueuedConnection);
}

void MainWindow::ShowPostedErrors()
{
    // One box at a time; the display timer and OSC go on while it is open.
    if (showingErrors_ || closing_)
        return;
    showingErrors_ = true;
    session_->Runtime().Errors().ShowAll();
    showingErrors_ = false;
}

void MainWindow::OnTransportNotice(TransportNotice notice)
{
    switch (notice) {
    case TransportNotice::ScrollToFarLeft:
        view_->SetScrollPosition(0);
        break;
    case TransportNotice::ShowSoundStart:
        view_->SetScrollPosition(SoundStartScroll(view_->Axis()));
        view_->MovePlayCursor(session_->State().Play.PlayPosition, false);
        RepaintCanvas();
        break;
    case TransportNotice::ShowSoundEnd:
        view_->SetScrollPosition(SoundEndScroll(view_->Axis(), session_->State().Play.PostPlayTime,
                                                view_->ScrollRange(), view_->ViewportWidth()));
        view_->MovePlayCursor(session_->State().Play.PlayPosition, false);
        RepaintCanvas();
        break;
    case TransportNotice::PlayCursorMoved:
        view_->MovePlayCursor(session_->State().Play.PlayPosition, session_->Playing());
        break;
    case TransportNotice::OutputChanged:
        break; // the colour monitor repaints from its own timer
    }
}

void MainWindow::ShowPlayPositionAfterOsc()
{
    const int x = view_->XOfTime(session_->State().Play.PlayPosition) - 16;
    view_->SetScrollPosition(std::max(0, x));
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (closing_) {
        event->accept();
        return;
    }
    if (session_->AskSaveChanges() == 2) {
        event->ignore();
        return;
    }
    closing_ = true;
    view_->SetClosing();
    autoSaveTimer_->stop();
    actions_->StopTimer();
    session_->Close([this] { displayTimer_->stop(); }, [this] { WriteWindowSettings(); });
    event->accept();
}

void MainWindow::WriteWindowSettings()
{
    IniFile& ini = session_->Settings();
    StorePlacementA(ini, "LurillForm", {false, true}, Bounds(*this));
    MainViewSettings v = ReadMainViewSettings(ini);
    v.DispMonoWav = view_->MonoDisplay();
    v.WavLRHeight = waveHeight_;
    v.ViewColMon = monitor_->isVisible();
    v.ViewRefTrack = rows_->RefVisible();
    v.RefTrack = rows_->RefMode();
    v.RefTrackHi = rows_->RefHeight();
    WriteMainViewSettings(ini, v);
    monitor_->close(); // writes its own keys
    for (int n = 1; n <= ToolBarCount; ++n) {
        QToolBar* bar = toolBars_[size_t(n - 1)];
        ToolBarPlacement p = LoadToolBar(ini, ToolBarSection(n), bar->y(), bar->x());
        p.Visible = bar->isVisible();
        p.DockTop = bar->y();
        p.DockLeft = bar->x();
        StoreToolBar(ini, ToolBarSection(n), p);
    }
    WriteStatusBarVisible(ini, statusBar()->isVisible());
    WriteShortCuts();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (started_ && !closing_ && event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    if (!started_ || closing_)
        return;
    std::vector<std::string> paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            paths.push_back(url.toLocalFile().toStdString());
    event->acceptProposedAction();
    session_->DropFiles(paths);
}

std::string MainWindow::SaveProjectPath(const std::string& fileName)
{
    QFileDialog dialog(this, "名前を付けて保存", Q(fileName), ProjectFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("PRJ");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front().toStdString();
}

std::string MainWindow::SaveGroupPath()
{
    // The desktop's dialog asks before it overwrites a file.
    QFileDialog dialog(this, QString(), QString(), GroupFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("GRP");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front().toStdString();
}

std::string MainWindow::OpenGroupPath(const std::string& folder)
{
    QFileDialog dialog(this, QString(), Q(folder), GroupFilter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix("GRP");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front().toStdString();
}

std::string MainWindow::OpenProjectPath()
{
    QFileDialog dialog(this, "プロジェクトを開く", QString(), ProjectFilter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix("PRJ");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front().toStdString();
}

void MainWindow::SetBusy(bool busy)
{
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

std::optional<uint32_t> MainWindow::StepColor(const std::string& caption, uint32_t color)
{
    colourDialog_->setWindowTitle(Q(caption));
    colourDialog_->Color = color;
    if (colourDialog_->exec() != QDialog::Accepted)
        return std::nullopt;
    return colourDialog_->Color;
}

std::optional<int64_t> MainWindow::StepTime(int32_t time)
{
    timeDialog_->TimeValue = time;
    if (timeDialog_->exec() != QDialog::Accepted)
        return std::nullopt;
    return timeDialog_->TimeValue;
}

void MainWindow::RunProjectSettingsDialog(bool newShow)
{
    const ProjectData& doc = session_->Document();
    ProjectSettingsValues start;
    if (!newShow) {
        start.Title = Utf16ToUtf8(doc.Title);
        start.SoundFile = Utf16ToUtf8(doc.SoundFile);
    }
    start.PrePlayTime = session_->State().Play.PrePlayTime;
    start.PostPlayTime = session_->State().Play.PostPlayTime;
    const QString caption = ActionDialogCaption(actions_->Get(newShow ? "NewPrjAction" : "SetPrjAction")->text());
    if (const std::optional<ProjectSettingsValues> values = projectDialog_->Execute(caption, start)) {
        repaint();
        session_->ApplyProjectSettings(*values);
    }
}

std::optional<std::string> MainWindow::InputText(const std::string& caption, const std::string& prompt)
{
    bool ok = false;
    const QString text = QInputDialog::getText(this, Q(caption), Q(prompt), QLineEdit::Normal, QString(), &ok);
    if (!ok)
        return std::nullopt;
    return text.toStdString();
}
