#pragma once
// TLurillForm: the main window. It lays out menus, toolbars, the canvas and the status bar,
// wires them to the session and runs the display timer; the show itself lives in the
// session. Created, started, closed and destroyed in a fixed order.

#include "editor/editor_session.h"
#include "editor/session_prompts.h"

#include <QMainWindow>

#include <array>
#include <memory>

class ActionRegistry;
class QLabel;
class TArtNetPropDlg;
class TColMonForm;
class QMenu;
class QScrollBar;
class QSplitter;
class QTimer;
class QToolBar;
class TransportPanel;
class ViewState;
class WaveformPane;

struct LurillFormOptions {
    std::string ExeDir;
    std::string SettingsPath;
    // Tests put fakes in; unset, the system's.
    std::shared_ptr<AudioBackend> Audio;
    std::optional<ArtnetPlatform> Platform;
    // Scripted file choices for tests; null: the desktop's dialogs.
    SessionPrompts* Prompts = nullptr;
};

class TLurillForm : public QMainWindow, private SessionPrompts {
    Q_OBJECT
public:
    static constexpr int StatusPanels = 5;

    explicit TLurillForm(LurillFormOptions options, QWidget* parent = nullptr);
    ~TLurillForm() override;

    EditorSession& Session() { return *session_; }
    ViewState& View() { return *view_; }
    ActionRegistry& Actions() { return *actions_; }
    QLabel* StatusPanel(int index) const { return status_[size_t(index)]; }
    TransportPanel* PlayPanel() const { return playPanel_; }
    WaveformPane* WavLPaintBox() const { return wavL_; }
    WaveformPane* WavRPaintBox() const { return wavR_; }
    QScrollBar* CanvasScrollBar() const { return scrollBar_; }
    QTimer* Timer1() const { return timer1_; }
    QTimer* BackupTimer() const { return backupTimer_; }
    TColMonForm* ColMonForm() const { return colMon_; }
    TArtNetPropDlg* ArtNetPropDlg() const { return artNetPropDlg_; }
    QMenu* Menu(const QString& objectName) const;
    QToolBar* ToolBar(int n) const { return toolBars_[size_t(n - 1)]; }
    // FinishStartUp has run: drops are taken, the display runs.
    bool Started() const { return started_; }
    bool Closing() const { return closing_; }

    // Recomputes the time axis after the scale, the timeline or the width changed.
    void ApplyScale();
    // One tick of the display timer.
    void Timer1Timer();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // SessionPrompts: the desktop's file dialogs and cursor.
    std::string SaveProjectPath(const std::string& fileName) override;
    std::string OpenProjectPath() override;
    void SetBusy(bool busy) override;

    void CreateActions();
    void CreateMenus();
    void CreateToolBars();
    void CreateCanvas();
    void CreateStatusBar();
    void FormShow();
    void FinishStartUp();
    void WriteWindowSettings();
    void LayOutWaveforms();
    void ShowPostedErrors();
    void OnTransportNotice(TransportNotice notice);
    void ShowPlayPositionAfterOsc();
    void SetStatus(int panel, const QString& text);
    void RepaintCanvas();
    void UpdateFileHistoryMenu();
    void ShowScale();

    LurillFormOptions options_;
    EditorSession* session_ = nullptr;
    ViewState* view_ = nullptr;
    ActionRegistry* actions_ = nullptr;
    QTimer* timer1_ = nullptr;
    QTimer* backupTimer_ = nullptr;
    std::array<QLabel*, StatusPanels> status_{};
    std::array<QToolBar*, 4> toolBars_{};
    TransportPanel* playPanel_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QWidget* waveBlock_ = nullptr;
    QWidget* wavBevel_ = nullptr;
    QLabel* wavLHeader_ = nullptr;
    QLabel* wavRHeader_ = nullptr;
    WaveformPane* wavL_ = nullptr;
    WaveformPane* wavR_ = nullptr;
    QWidget* canvas_ = nullptr;
    QScrollBar* scrollBar_ = nullptr;
    QMenu* historyMenu_ = nullptr;
    TColMonForm* colMon_ = nullptr;
    TArtNetPropDlg* artNetPropDlg_ = nullptr;
    bool shown_ = false;
    bool started_ = false;
    bool closing_ = false;
    bool showingErrors_ = false;
    int waveHeight_ = 360;
};
