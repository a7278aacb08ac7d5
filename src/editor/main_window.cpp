#include "editor/main_window.h"

#include "common/messages.h"
#include "common/output_volume.h"
#include "common/paths.h"
#include "common/string_table.h"
#include "gui_common/language.h"
#include "common/text_codec.h"
#include "dialogs/about_box.h"
#include "dialogs/node_details_dialog.h"
#include "dialogs/options_dialog.h"
#include "monitor/colour_monitor.h"
#include "dialogs/image_file.h"
#include "dialogs/local_file_name.h"
#include "gui_common/screen_placement.h"
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
#include "editor/desktop_prompts.h"
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
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
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

#include <filesystem>
#include <utility>

namespace {

constexpr int PanelWidths[StatusPanelCount - 1] = {150, 120, 160, 150};
constexpr int HeaderWidth = 50;
// The lowest the waveform block gets under the splitter.
constexpr int MinWaveHeight = 20;

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
    connect(autoSaveTimer_, &QTimer::timeout, this, [this] { session_->Files().AutoSave(); });

    EditorSessionOptions sessionOptions;
    sessionOptions.ExeDir = options_.ExeDir;
    sessionOptions.SettingsPath = options_.SettingsPath;
    sessionOptions.Audio = options_.Audio;
    sessionOptions.Platform = options_.Platform;
    static ImageFileLoader pictures;
    sessionOptions.PaletteLoader = &pictures;
    prompts_ = std::make_unique<DesktopPrompts>(*this, [this] { RunProjectSettingsDialog(true); });
    session_ = new EditorSession(std::move(sessionOptions), options_.Prompts ? *options_.Prompts : *prompts_, this);
    displayTimer_->setInterval(session_->Options().DispInterval);

    colourDialog_ = new StepColourDialog(session_->Preferences(), session_->Settings(), this);
    timeDialog_ = new StepTimeDialog(session_->Settings(), this);
    prompts_->SetStepDialogs(colourDialog_, timeDialog_);
    projectDialog_ = new ProjectSettingsDialog(session_->ProjectHost(), session_->Settings(), this);

    view_ = new ViewState(this);
    actions_ = new ActionRegistry(this);
    // The other windows, in their order: they exist from the start and are shown on demand.
    monitor_ = new ColourMonitor(session_->Settings(), session_->Preferences(), this);
    monitor_->SetOutputSource([this] {
        const EngineState& s = session_->State();
        MonitorOutputs out;
        for (size_t i = 0; i < out.Colors.size(); ++i)
            out.Colors[i] = s.LineOutput[i];
        out.CurrentLine = session_->CurrentLine();
        out.Stopped = !s.TransportActive;
        return out;
    });
    // A tile picks its line as a line tab does.
    connect(monitor_, &ColourMonitor::lineSelected, this, [this](int line) { session_->SetCurrentLine(line, true); });
    nodeDetails_ = new NodeDetailsDialog(this);
    selectionDialog_ = new ExtendedSelectionDialog(session_->SelectionDocument(), session_->Settings(), this);
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
    connect(session_, &EditorSession::statusText, this, [this](StatusPanel panel, const QString& text) {
        SetStatus(panel, text);
        // The hint of a long task (the automatic save) shows before the task runs.
        if (panel == StatusPanel::Hint)
            statusBar()->repaint();
    });
    connect(session_, &EditorSession::showPlayPosition, this, &MainWindow::ShowPlayPositionAfterOsc);
    connect(session_, &EditorSession::transportNotice, this, &MainWindow::OnTransportNotice);
    connect(session_, &EditorSession::changed, this, &MainWindow::OnChange);
    connect(session_, &EditorSession::commandDone, actions_, &ActionRegistry::Update);
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
        ShowError(tr("マニュアルが見つかりません").toStdString());
        return;
    }
    if (options_.OpenUrl)
        options_.OpenUrl(url);
    else if (!QDesktopServices::openUrl(url))
        ShowError(tr("マニュアルを開けません: %1").arg(url.toLocalFile()).toStdString());
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
    session_->Player().SeekTo(time);
    view_->MovePlayCursor(session_->State().Play.PlayPosition, session_->Player().Playing());
    actions_->Update();
}

void MainWindow::ScrubTo(int canvasX, int32_t time)
{
    session_->Player().ScrubTo(time);
    view_->MovePlayCursor(session_->State().Play.PlayPosition, false);
    FollowStepAt(canvasX);
}

void MainWindow::FollowStepAt(int x)
{
    const int before = session_->Edit().CurrentStep();
    const int near = FindStepNear(session_->Document().Lines[size_t(session_->CurrentLine())], x, 0, view_->Axis());
    if (near == before || !session_->Env().CurActivate)
        return;
    // Following the play position is not an edit.
    session_->FocusStep(near, StepFocus::Quiet);
    if (const TStepRec* s = session_->CurrentStepRec())
        SetStatus(StatusPanel::StepTime, StatusTime(s->Time));
}

void MainWindow::OnChange(const EditorChange& change)
{
    if (change.Header)
        setWindowTitle(session_->Files().WindowTitle());
    if (change.Everything) {
        ApplyScale();
        // The waveform shows no step: it repaints for a new show or sound and new colours.
        for (WaveformPane* pane : {leftWaveform_, rightWaveform_}) {
            pane->SetColors(WaveColorsFor(session_->Env(), pane->Tag()));
            pane->update();
        }
    }
    actions_->Update();
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
        connect(action, &QAction::triggered, this, [this, i] { session_->Files().OpenRecent(i); });
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
    // The block's height is the splitter's to give: its panes are fitted to it, so their
    // heights hold it neither up nor down.
    waveBlock_->setMinimumHeight(MinWaveHeight);
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
    connect(firstRunHint_, &FirstRunHint::demoRequested, this, [this] { session_->Files().OpenDemo(); });
    connect(firstRunHint_, &FirstRunHint::chooseSoundRequested, this, [this] { RunProjectSettingsDialog(false); });
    for (WaveformPane* pane : {leftWaveform_, rightWaveform_}) {
        pane->SetColors(WaveColorsFor(session_->Env(), pane->Tag()));
        connect(pane, &WaveformPane::seekRequested, this, [this](int, int32_t t) { SeekToX(t); });
        connect(pane, &WaveformPane::scrubRequested, this, &MainWindow::ScrubTo);
        connect(pane, &WaveformPane::contextMenuRequested, this, [this](const QPoint& at) { stepMenu_->popup(at); });
    }

    rows_ = new CanvasRows(*session_, *view_, splitter_);
    rows_->setMinimumHeight(40);
    LaneView* lane = rows_->Lane();
    connect(lane, &LaneView::stepMenuRequested, stepMenu_, [this](const QPoint& at) { stepMenu_->popup(at); });
    connect(lane, &LaneView::laneMenuRequested, laneMenu_, [this](const QPoint& at) { laneMenu_->popup(at); });
    connect(lane, &CanvasPane::commandRequested, actions_, &ActionRegistry::Trigger);
    MarkBar* markBar = rows_->MarkBarPane();
    connect(markBar, &CanvasPane::contextMenuRequested, stepMenu_, [this](const QPoint& at) { stepMenu_->popup(at); });
    connect(markBar, &CanvasPane::commandRequested, actions_, &ActionRegistry::Trigger);
    connect(markBar, &MarkBar::stepColourRequested, this, [this] { actions_->Run(Command::StepColour); });
    connect(markBar, &MarkBar::seekRequested, this, [this](int, int32_t t) { SeekToX(t); });
    connect(markBar, &MarkBar::scrubRequested, this, &MainWindow::ScrubTo);
    connect(rows_, &CanvasRows::refMenuRequested, referenceMenu_, [this](const QPoint& at) { referenceMenu_->popup(at); });
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);
    // The waveform block follows the handle: its panes are laid out anew for each height.
    connect(splitter_, &QSplitter::splitterMoved, this, [this](int position) {
        waveHeight_ = std::max(position, MinWaveHeight);
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
    for (int i = 0; i < StatusPanelCount; ++i) {
        auto* label = new QLabel(bar);
        label->setObjectName(QString("StatusPanel%1").arg(i));
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        if (i < StatusPanelCount - 1) {
            label->setFixedWidth(PanelWidths[i]);
            bar->addWidget(label);
        } else {
            label->setMinimumWidth(50);
            bar->addWidget(label, 1); // the last panel takes what is left
        }
        status_[size_t(i)] = label;
    }
}

void MainWindow::SetStatus(StatusPanel panel, const QString& text) { status_[size_t(panel)]->setText(text); }

bool MainWindow::event(QEvent* event)
{
    // Hints go to panel 4 and never cover the other panels.
    if (event->type() == QEvent::StatusTip) {
        SetStatus(StatusPanel::Hint, static_cast<QStatusTipEvent*>(event)->tip());
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
    waveHeight_ = std::max(viewSettings.WavLRHeight, MinWaveHeight);

    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    // The desktop's panels take part of the screen: a first start fills what is left.
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    ScreenInfo info;
    info.MonitorCount = int(QGuiApplication::screens().size());
    info.Width = available.width();
    info.Height = available.height();
    const bool stored = ini.ReadInteger("General", "LurillFormWidth", 0) > 0;
    const WindowRect placed = LoadPlacementA(ini, "LurillForm", {false, true},
                                             {available.x(), available.y(), available.width(), available.height()},
                                             {width(), height()}, info);
    // Stored numbers beyond what a window can take would overflow Qt's rectangle, and a
    // window larger than all the screens together only hides its edges; a window stored on
    // a screen that is gone opens on the primary one.
    const QSize desktop = screen ? screen->virtualGeometry().size() : available.size();
    const auto reach = [](int32_t v, int32_t least, int32_t most) { return std::clamp(v, least, most); };
    setGeometry(OnAScreen(QRect(reach(placed.Left, -QWIDGETSIZE_MAX, QWIDGETSIZE_MAX),
                                reach(placed.Top, -QWIDGETSIZE_MAX, QWIDGETSIZE_MAX),
                                reach(placed.Width, 1, desktop.width()), reach(placed.Height, 1, desktop.height()))));
    if (!stored)
        // The size is the client area's: once the window has its frame, the whole window
        // is fitted into the screen.
        QTimer::singleShot(0, this, [this, available] { FitFrameInto(available); });

    const std::string layout = ReadToolBarLayout(ini);
    if (!layout.empty())
        restoreState(QByteArray::fromBase64(QByteArray::fromStdString(layout)));
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
    session_->Osc().Listen();
    displayTimer_->start();
    actions_->StartTimer();
    const bool recovered = session_->OfferRecoveryCopies();
    if (closing_)
        return;
    const std::string last = session_->Env().PrjFile;
    if (!recovered && !last.empty())
        session_->Files().OpenProject(last);
    autoSaveTimer_->stop();
    ArmAutoSaveTimer();
    started_ = true;
    if (!pendingOpen_.empty())
        session_->Files().OpenProjectAsked(std::exchange(pendingOpen_, {}));
    // A first start: Enter opens the demo show.
    if (firstRunHint_->isVisible())
        firstRunHint_->DemoButton()->setFocus();
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
    session_->Files().OpenProjectAsked(path);
}

void MainWindow::FitFrameInto(const QRect& available)
{
    const QRect frame = frameGeometry();
    const QMargins margins(geometry().left() - frame.left(), geometry().top() - frame.top(),
                           frame.right() - geometry().right(), frame.bottom() - geometry().bottom());
    if (available.contains(frame) || closing_)
        return;
    const QRect client = available.marginsRemoved(margins);
    setGeometry(client);
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

void MainWindow::ArmAutoSaveTimer()
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
        optionHost_ = session_->MakeOptionHost(actions_->CommandList(), *displayTimer_);
        optionDialog_ = new OptionsDialog(*optionHost_, *nodeDetails_, this);
    }
    const std::optional<OptionValues> values = optionDialog_->Execute(session_->CurrentOptions());
    if (!values)
        return;
    session_->ApplyOptions(*values);
    ArmAutoSaveTimer();
    for (QToolBar* bar : toolBars_)
        for (QToolButton* button : bar->findChildren<QToolButton*>())
            button->setAutoRaise(session_->Env().FlatToolBar);
    ApplyToolBarHeights();
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
    timeline.SoundLoaded = session_->SoundLoaded();
    firstRunHint_->setVisible(!timeline.SoundLoaded);
    if (!timeline.SoundLoaded) {
        // An open show names the sound it lacks; only an empty window shows the first steps.
        std::string sound = Utf16ToUtf8(session_->Document().SoundFile);
        ResolvePath(sound);
        std::error_code ec;
        firstRunHint_->ShowFor(Q(sound), std::filesystem::is_regular_file(sound, ec));
        firstRunHint_->raise();
    }
    view_->SetTimeline(timeline);
    view_->SetViewportWidth(leftWaveform_->width());
    view_->ApplyScale(s.Play.PlayPosition);
    ShowScale();
}

void MainWindow::ShowScale() { SetStatus(StatusPanel::Value, QString::asprintf("%s=%6.3f", qUtf8Printable(CoreText(Msg::Scale)), view_->Scale())); }

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
    const EngineState& s = session_->State();
    // The lights show the step colour dialog's swatch while it is open.
    session_->SetPreviewColor(colourDialog_->isVisible() ? colourDialog_->SwatchColor() : NoColor);
    // The player reports the sound's length once it has opened it, which may be long
    // after the show was: the panes then span the whole timeline.
    if (s.TotalLength != view_->Mapped().TotalLength || session_->SoundLoaded() != view_->Mapped().SoundLoaded)
        ApplyScale();
    DisplayInput in;
    in.RepeatRestarted = session_->TakeRepeatRestarted();
    const OutputWorker* worker = session_->Worker();
    in.SocketReady = worker && worker->SocketReady();
    in.NodeCount = worker ? worker->NodeCount() : 0;
    // Without a network nothing goes out: as bad for the show as a failing send.
    in.SendFailing = worker && (worker->SendFailing() || !worker->NetworkUp());
    const std::string destination = worker ? worker->DestinationOr(tr("ネットワークなし").toStdString()) : "";
    in.Outputs = OutputSummary(session_->RunningOutput(), destination);
    in.Axis = view_->Axis();
    in.PlayCursorX = view_->PlayCursorX();
    in.ScrollPosition = view_->ScrollPosition();
    in.ClientWidth = view_->ViewportWidth();
    const DisplaySnapshot snapshot = TakeDisplaySnapshot(s, in);

    if (snapshot.RestartScroll)
        view_->SetScrollPosition(*snapshot.RestartScroll);
    playPanel_->SetTime(Q(snapshot.TimeText), snapshot.TimeColor);
    view_->ApplyCursorMove(snapshot.Cursor);
    const int line = session_->CurrentLine();
    playPanel_->SetOutput(line, s.LineOutput[size_t(line)]);
    if (const QString status = Q(snapshot.Status); status != Status(StatusPanel::NetworkAudio)->text()) {
        SetStatus(StatusPanel::NetworkAudio, status);
        // The panel widens to name the outputs in full.
        QLabel* network = Status(StatusPanel::NetworkAudio);
        network->setFixedWidth(std::max(PanelWidths[0], network->fontMetrics().horizontalAdvance(status) + 12));
    }

    if (session_->HasPostedErrors())
        QMetaObject::invokeMethod(session_, &EditorSession::ShowPostedErrors, Qt::QueuedConnection);
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
        break;
    case TransportNotice::ShowSoundEnd:
        view_->SetScrollPosition(SoundEndScroll(view_->Axis(), session_->State().Play.PostPlayTime,
                                                view_->ScrollRange(), view_->ViewportWidth()));
        view_->MovePlayCursor(session_->State().Play.PlayPosition, false);
        break;
    case TransportNotice::PlayCursorMoved:
        view_->MovePlayCursor(session_->State().Play.PlayPosition, session_->Player().Playing());
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

void MainWindow::EndSession()
{
    if (!closing_) {
        endingSession_ = true;
        close();
    }
    QCoreApplication::exit(0);
}

void MainWindow::PrepareForSessionEnd()
{
    if (closing_)
        return;
    endingSession_ = true;
    session_->KeepRecoveryCopy();
    // The desktop may cancel its logout and never say so: the person's next key or click
    // shows the session goes on, and a later close asks again.
    qApp->installEventFilter(this);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride: // a key that is a shortcut comes as this alone
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::Wheel:
        endingSession_ = false;
        qApp->removeEventFilter(this);
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (closing_) {
        event->accept();
        return;
    }
    if (!endingSession_) {
        const SaveAnswer answer = session_->Files().AskSaveChanges();
        // The session may have ended while the question was open.
        if (closing_) {
            event->accept();
            return;
        }
        if (answer == SaveAnswer::Cancel) {
            event->ignore();
            return;
        }
        // Saved, or the changes discarded: the copy has served.
        session_->ForgetRecoveryCopy();
    } else {
        // The copy holds the show as it is at the close, whatever came after an earlier one.
        session_->KeepRecoveryCopy();
        session_->Files().RememberShow();
    }
    qApp->removeEventFilter(this);
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
    WriteToolBarLayout(ini, saveState().toBase64().toStdString());
    for (int n = 1; n <= ToolBarCount; ++n) {
        QToolBar* bar = toolBars_[size_t(n - 1)];
        ToolBarPlacement p = LoadToolBar(ini, ToolBarSection(n), bar->y(), bar->x());
        p.Visible = bar->isVisible();
        p.Floating = bar->isFloating();
        if (p.Floating) {
            // A floating bar is a window of its own: its place is on the screen.
            const QRect r = bar->geometry();
            p.FloatWindow = {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
        } else {
            p.DockTop = bar->y();
            p.DockLeft = bar->x();
        }
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
            paths.push_back(LocalFileName(url.toLocalFile()));
    event->acceptProposedAction();
    session_->Files().DropFiles(paths);
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
    const QString caption = ActionDialogCaption(actions_->Get(newShow ? Command::NewProject : Command::ProjectSettings)->text());
    if (const std::optional<ProjectSettingsValues> values = projectDialog_->Execute(caption, start)) {
        repaint();
        session_->ApplyProjectSettings(*values);
    }
}
