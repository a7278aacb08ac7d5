#pragma once
// EditorSession: the one writer of the running show. Every command and edit of the editor
// goes through here, and through the document's own operations; the session turns what
// changed into signals, so each pane repaints only what it must. It owns the settings
// file, the runtime (document, engine, sound, Art-Net worker), the settings object, the
// transport and the OSC server, and builds and closes them in order.

#include "dialogs/project_settings_host.h"
#include "document/document_observer.h"
#include "editor/edit_state.h"
#include "editor/session_prompts.h"
#include "engine/transport.h"
#include "remote/osc_receiver.h"
#include "runtime/show_runtime.h"
#include "settings/env_data.h"
#include "settings/ini_file.h"
#include "settings/main_window_settings.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

class QUdpSocket;

// Captions of the step commands; their dialogs show them without the "&".
namespace Caption {
inline constexpr const char* AddStep = "基点の追加(&A)...";
inline constexpr const char* PropStep = "基点の色指定(&C)...";
inline constexpr const char* TimeStep = "基点のタイム指定(&I)...";
} // namespace Caption

struct EditorSessionOptions {
    std::string ExeDir;       // the executable's folder
    std::string SettingsPath; // the settings file
    // Tests put fakes in; unset, the system's.
    std::shared_ptr<AudioBackend> Audio;
    std::optional<ArtnetPlatform> Platform;
    PaletteImageLoader* PaletteLoader = nullptr;
};

class EditorSession : public QObject, private DocumentObserver {
    Q_OBJECT
public:
    // Opens the settings file, creates the runtime and the settings object, reads the
    // option settings and starts the Art-Net worker (a set-up failure is shown once).
    EditorSession(EditorSessionOptions options, SessionPrompts& prompts, QObject* parent = nullptr);
    ~EditorSession() override;

    ShowRuntime& Runtime() { return *runtime_; }
    ProjectData& Document() { return runtime_->Document(); }
    const ProjectData& Document() const { return runtime_->Document(); }
    EngineState& State() { return runtime_->State(); }
    const EngineState& State() const { return runtime_->State(); }
    WavSound& Sound() { return runtime_->Sound(); }
    const WavSound& Sound() const { return runtime_->Sound(); }
    EnvData& Env() { return *env_; }
    IniFile& Settings() { return *ini_; }
    Transport& Player() { return *transport_; }
    const OptionSettings& Options() const { return optionSettings_; }
    bool SummaryLoaded() const { return Sound().FrameCount() > 0; }

    // The OSC server: listening from the end of start-up.
    bool StartOsc();
    int32_t OscPort() const { return oscPort_; }
    // The port the OSC server listens on, at once when it is listening; written at exit.
    void SetOscPort(int32_t port);
    // The display interval written at exit.
    void SetDisplayInterval(int32_t ms) { optionSettings_.DispInterval = ms; }
    // Takes effect at the next frame; written with the other options at close.
    void SetLightLatency(int32_t ms);

    // The project settings dialog's values after OK: the times, then a changed sound file
    // (taken only when found and its waveform summary builds), then a changed title; the
    // time axis follows.
    void ApplyProjectSettings(const ProjectSettingsValues& values);
    // Opens the show's own sound again after the player was closed for another.
    void ReopenSound();

    // Opens the project at path, or starts a new show when path is empty. 1 when a project
    // file was read, 0 otherwise.
    int OpenProject(const std::string& path);
    // Whether to save unsaved changes: 6 yes, 7 no (also when nothing is unsaved), 2 cancel
    // (also when the save-as dialog was cancelled or the save failed).
    int AskSaveChanges();
    // The file commands.
    void NewProject();
    void OpenProjectCommand();
    void SaveProjectCommand();
    // False when cancelled or failed.
    bool SaveProjectAs();
    void OpenRecent(int index);
    // A project given from outside (a drop, the command line, a second start): asks about
    // unsaved changes first, then opens it. False when the user cancelled.
    bool OpenProjectAsked(const std::string& path);
    // Files dropped on the window (after start-up). False when refused (with a beep).
    bool DropFiles(const std::vector<std::string>& paths);
    // The automatic save: only a modified show that has a file name.
    void AutoSave();

    // A click on the canvas at time t: while stopped or paused only the position moves;
    // while playing (or the clock runs) playback goes on from t. Every wait is bounded.
    void SeekTo(int32_t t);
    // A drag on the canvas: moves the position while nothing plays; never waits.
    void ScrubTo(int32_t t);
    bool Playing() const;

    // The editing state the canvas panes share.
    EditState& Edit() { return *edit_; }
    const EditState& Edit() const { return *edit_; }
    // The current step of the current line, or null.
    const TStepRec* CurrentStepRec() const;

    // Makes line current without a current step; the tabs' way also clears the selection of
    // all lines, the line menu's way keeps it.
    void SetCurrentLine(int line, bool clearSelection);

    // Selection edits of the panes (indexes name steps of the current line).
    void SetSelection(bool selected, bool allLines);
    void SelectRange(int a, int b);
    void SelectStep(int index, bool alone);
    void SelectSteps(std::span<const StepPos> steps);

    // A press that may start a drag on step `pressed`: undo snapshot, drag origins, and the
    // first and last selected steps of the current line, kept in Edit().Dragged.
    void StartDrag(int pressed);
    // The drag's moves; the dragged step stays the current step through the re-sorts.
    void MoveDragged(int32_t delta, bool keepOrder);
    void StretchDragged(int32_t time);
    void DragBrightness(int32_t brightness);
    // The release of a time or stretch drag: the dragged step lands at dropAt when given,
    // the lines are tidied.
    void EndTimeDrag(std::optional<int32_t> dropAt);
    void EndBrightnessDrag(int32_t brightness);

    // Brightness and colour of the current step (and for the wheel the selection).
    void WheelBrightness(int32_t delta);
    // The track bar moved: marks the show modified only outside Edit().UpdateLock.
    void SetCurrentBrightness(int32_t brightness);
    void ZeroBrightness();
    void PaintColor(uint32_t color, bool withUndo);

    // The step commands. cursorTime is the time under the play cursor.
    bool CanAddStep() const;
    bool CanEditSteps() const; // a current step, or a selected step on any line
    void AddStepCommand(int32_t cursorTime);
    void PropStepCommand(int32_t cursorTime);
    void TimeStepCommand();

    // The edit commands on the current line and its selection.
    void CutStepCommand();
    void CopyStepCommand();
    void PasteStepCommand();
    void SelectAllCommand();
    // A step that leaves the line's output as it was, at cursorTime.
    void AddBlankStepCommand(int32_t cursorTime);
    // Deletes the selected steps of every line.
    void DeleteStepCommand();
    // Deletes every step of the current line, once the person agreed.
    void DeleteAllStepsCommand();
    void MoveToCursorCommand();
    void UndoCommand();
    // One brightness step of the current step, without undo.
    void BrightnessStepCommand(bool up);
    // The step before or after the current one becomes current and the only selected step;
    // its time, or nothing when the line has no such step.
    std::optional<int32_t> StepToNeighbour(bool next);
    // Replaces the current line by another line, whose number the person types.
    void CopyFromLineCommand();
    // The group files: the selected steps saved, a file's steps loaded at the play position.
    void SaveGroupCommand();
    void LoadGroupCommand();

    // The multi-line commands of the reference view.
    void CutMultiCommand();
    void CopyMultiCommand();
    void PasteMultiCommand();
    void SelectAllMultiCommand();
    void AlignMultiCommand();
    // The factor asked for in an input box: the time stretch (up to 10 either way) or the
    // brightness stretch (up to 4).
    void StretchMultiCommand(bool time);

    // "Lumenrill", or "Lumenrill  - " and the show's name once a project was opened.
    QString WindowTitle() const;
    // A new show for each OSC datagram; emitted with its status text.
    void HandleOscDatagram(const QByteArray& datagram);

    // Closes in order: stops the show, closes the player on the worker, runs the window's
    // steps, writes the engine's settings, ends the worker, writes the rest and saves.
    void Close(const std::function<void()>& stopDisplay, const std::function<void()>& writeWindowSettings);

signals:
    // The document reported a change (after its lock was released): repaint what it names.
    void documentChanged(const DocumentChange& change);
    // The show was replaced (opened, new) or its sound changed: everything repaints.
    void showReplaced();
    void titleChanged(const QString& title);
    // Panel 4 of the status bar.
    void statusHint(const QString& text);
    // An OSC command's status text (panel 4).
    void oscStatus(const QString& text);
    // After an OSC start at a time: scroll the play position into view.
    void showPlayPosition();
    void transportNotice(TransportNotice notice);
    // A command ran: the window runs its update pass.
    void commandDone();
    // While a project opens the display timer holds (a message box may run the event loop).
    void displayHold(bool hold);

private:
    void DocumentChanged(const DocumentChange& change) override { emit documentChanged(change); }
    bool SaveAs(const std::string& path);
    bool Save();
    void LoadSoundFor(const std::string& projectPath);
    void StopForReplace();
    // The step colour dialog; the preview on the lights ends with it.
    std::optional<uint32_t> AskStepColor(const char* caption, uint32_t color);
    void ReadOscDatagrams();

    EditorSessionOptions options_;
    SessionPrompts& prompts_;
    std::unique_ptr<IniFile> ini_;
    OptionSettings optionSettings_;
    std::unique_ptr<ShowRuntime> runtime_;
    std::unique_ptr<EnvData> env_;
    EditState* edit_ = nullptr;
    std::unique_ptr<Transport> transport_;
    std::unique_ptr<OscReceiver> osc_;
    QUdpSocket* oscServer_ = nullptr;
    int32_t oscPort_ = 9901;
    bool opened_ = false; // a project was opened or a new show started
};
