#pragma once
// MainWindow: the main window. It lays out menus, toolbars, the canvas and the status bar,
// wires them to the session and runs the display timer; the show itself lives in the
// session, and every command goes there. Created, started, closed and destroyed in a
// fixed order.

#include "editor/commands.h"
#include "editor/editor_session.h"
#include "editor/session_prompts.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>

class ActionRegistry;
class CanvasRows;
class DesktopPrompts;
class ColourBar;
class FirstRunHint;
class HelpKeyFilter;
class QLabel;
class QUrl;
class AboutBox;
class NodeDetailsDialog;
class ExtendedSelectionDialog;
class SoundPropertiesBox;
class OptionsDialog;
class ColourMonitor;
class ProjectSettingsDialog;
class QMenu;
class QScrollBar;
class QSplitter;
class QTimer;
class QToolBar;
class StepColourDialog;
class StepTimeDialog;
class TransportPanel;
class ViewState;
class WaveformPane;

struct MainWindowOptions {
    std::string ExeDir;
    std::string SettingsPath;
    // Tests put fakes in; unset, the system's.
    std::shared_ptr<AudioBackend> Audio;
    std::optional<OutputPlatform> Platform;
    // Scripted file choices for tests; null: the desktop's dialogs.
    SessionPrompts* Prompts = nullptr;
    // Opens the manual's address; unset, the desktop's browser.
    std::function<void(const QUrl&)> OpenUrl;
};

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(MainWindowOptions options, QWidget* parent = nullptr);
    ~MainWindow() override;

    EditorSession& Session() { return *session_; }
    ViewState& View() { return *view_; }
    ActionRegistry& Actions() { return *actions_; }
    QLabel* Status(StatusPanel panel) const { return status_[size_t(panel)]; }
    TransportPanel* PlayPanel() const { return playPanel_; }
    WaveformPane* LeftWaveform() const { return leftWaveform_; }
    WaveformPane* RightWaveform() const { return rightWaveform_; }
    QScrollBar* CanvasScrollBar() const { return scrollBar_; }
    CanvasRows* Rows() const { return rows_; }
    StepColourDialog* ColourDialog() const { return colourDialog_; }
    StepTimeDialog* TimeDialog() const { return timeDialog_; }
    ProjectSettingsDialog* ProjectDialog() const { return projectDialog_; }
    // The full step menu (n = 1) and the short one (n = 2).
    QMenu* PopupMenu(int n) const { return n == 1 ? stepMenu_ : laneMenu_; }
    QMenu* LineMenu() const { return lineMenu_; }
    QMenu* ReferenceMenu() const { return referenceMenu_; }
    ColourBar* ColourBarPane() const { return colourBar_; }
    QTimer* DisplayTimer() const { return displayTimer_; }
    QTimer* AutoSaveTimer() const { return autoSaveTimer_; }
    ColourMonitor* Monitor() const { return monitor_; }
    NodeDetailsDialog* NodeDetails() const { return nodeDetails_; }
    OptionsDialog* OptionDialog() const { return optionDialog_; }
    ExtendedSelectionDialog* SelectionDialog() const { return selectionDialog_; }
    AboutBox* About() const { return aboutBox_; }
    SoundPropertiesBox* SoundProperties() const { return soundProperties_; }
    QMenu* Menu(const QString& objectName) const;
    QToolBar* ToolBar(int n) const { return toolBars_[size_t(n - 1)]; }
    // FinishStartUp has run: drops are taken, the display runs.
    bool Started() const { return started_; }
    bool Closing() const { return closing_; }

    // Opens a project given from outside (the command line, a second start) once start-up
    // has finished, asking about unsaved changes first.
    void OpenWhenStarted(const std::string& path);
    // The program ends without waiting for anyone (a signal, the desktop's session end):
    // a show with unsaved changes is kept as a recovery copy, the window closes without the
    // save question and every event loop ends, a modal dialog's included.
    void EndSession();
    // The desktop's session ends soon: the recovery copy is written now, and a close that
    // follows does not ask (it writes the copy again). A key, click or wheel turn before that
    // close means the session went on: the close asks again.
    void PrepareForSessionEnd();
    // Opens the manual at the section of a help context (0: its start).
    void ShowHelp(int context);

    // Recomputes the time axis after the scale, the timeline or the width changed.
    void ApplyScale();
    // One tick of the display timer.
    void DisplayTick();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The project settings dialog, for the current show or for a new one.
    void RunProjectSettingsDialog(bool newShow);

    void CreateActions();
    void CreateMenus();
    void CreateToolBars();
    void CreateCanvas();
    void CreateStatusBar();
    // The [ShortCut] table: read at first show (the built-in shortcut where a value is
    // empty, none for "None", and cut, copy and paste never without one unless stored as
    // "None"), written at close ("None" for a command without a key).
    void ReadShortCuts();
    void WriteShortCuts();
    // The previous or next step of the current line becomes current and is kept in view.
    void StepToNeighbour(bool next);
    void RunExtendedSelection();
    void RestoreLayout();
    void FinishStartUp();
    void RunOptionsDialog();
    void ArmAutoSaveTimer();
    // Row and button heights of the tool bars, from FlatToolBar.
    void ApplyToolBarHeights();
    // A window whose frame reaches beyond the screen's free area is made to fit it.
    void FitFrameInto(const QRect& available);
    void WriteWindowSettings();
    void LayOutWaveforms();
    void OnTransportNotice(TransportNotice notice);
    void OnChange(const EditorChange& change);
    void ShowPlayPositionAfterOsc();
    void SetStatus(StatusPanel panel, const QString& text);
    // The step near canvas x becomes current while the play position is dragged.
    void FollowStepAt(int x);
    void UpdateFileHistoryMenu();
    void ShowScale();
    void CreateReferenceMenu();
    void SeekToX(int32_t time);
    void ScrubTo(int canvasX, int32_t time);
    // The time under the play cursor, where new steps go.
    int32_t CursorTime() const;
    // The menu with the named actions in order ("-" a separator); names not registered
    // are left out.
    QMenu* ActionMenu(const char* objectName, std::initializer_list<std::optional<Command>> commands);

    MainWindowOptions options_;
    std::unique_ptr<DesktopPrompts> prompts_;
    EditorSession* session_ = nullptr;
    ViewState* view_ = nullptr;
    ActionRegistry* actions_ = nullptr;
    QTimer* displayTimer_ = nullptr;
    QTimer* autoSaveTimer_ = nullptr;
    std::array<QLabel*, StatusPanelCount> status_{};
    std::array<QToolBar*, 4> toolBars_{};
    TransportPanel* playPanel_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QWidget* waveBlock_ = nullptr;
    QWidget* waveBevel_ = nullptr;
    QLabel* leftHeader_ = nullptr;
    QLabel* rightHeader_ = nullptr;
    WaveformPane* leftWaveform_ = nullptr;
    WaveformPane* rightWaveform_ = nullptr;
    QWidget* canvas_ = nullptr;
    QScrollBar* scrollBar_ = nullptr;
    QMenu* historyMenu_ = nullptr;
    ColourMonitor* monitor_ = nullptr;
    NodeDetailsDialog* nodeDetails_ = nullptr;
    std::unique_ptr<OptionHost> optionHost_;
    OptionsDialog* optionDialog_ = nullptr;
    ExtendedSelectionDialog* selectionDialog_ = nullptr;
    AboutBox* aboutBox_ = nullptr;
    SoundPropertiesBox* soundProperties_ = nullptr;
    CanvasRows* rows_ = nullptr;
    StepColourDialog* colourDialog_ = nullptr;
    StepTimeDialog* timeDialog_ = nullptr;
    ProjectSettingsDialog* projectDialog_ = nullptr;
    QMenu* stepMenu_ = nullptr;
    QMenu* laneMenu_ = nullptr;
    QMenu* lineMenu_ = nullptr;
    QMenu* referenceMenu_ = nullptr;
    ColourBar* colourBar_ = nullptr;
    std::string pendingOpen_;
    HelpKeyFilter* helpKeys_ = nullptr;
    FirstRunHint* firstRunHint_ = nullptr;
    bool shown_ = false;
    bool started_ = false;
    bool closing_ = false;
    bool endingSession_ = false;
    int waveHeight_ = 360;
};
