#pragma once
// EditorSession: the one writer of the running show. Every command and edit of the editor
// goes through here (or through an object it owns: the show's files, the transport, the
// OSC server), and through the document's own operations; views hold const access. What
// changed comes back once, in the change signal, so each pane repaints only what it shows.
// It owns the settings file, the runtime (document, engine, sound, output worker) and the
// settings object, and builds and closes them in order.

#include "dialogs/option_host.h"
#include "dialogs/project_settings_host.h"
#include "document/document_observer.h"
#include "editor/edit_state.h"
#include "editor/editor_change.h"
#include "remote/qt/osc_server.h"
#include "editor/recovery_copy.h"
#include "editor/session_prompts.h"
#include "editor/show_files.h"
#include "editor/transport_control.h"
#include "runtime/show_runtime.h"
#include "settings/env_data.h"
#include "settings/ini_file.h"
#include "settings/main_window_settings.h"

#include <QObject>
#include <QString>

#include <memory>
#include <optional>
#include <span>
#include <string>

class QAction;
class QTimer;

struct EditorSessionOptions {
    std::string ExeDir;       // the executable's folder
    std::string SettingsPath; // the settings file
    // Tests put fakes in; unset, the system's.
    std::shared_ptr<AudioBackend> Audio;
    std::optional<OutputPlatform> Platform;
    PaletteImageLoader* PaletteLoader = nullptr;
    // Where recovery copies are kept; empty: the user's state folder (RecoveryFolder).
    std::string RecoveryFolder;
    // How long after the first unsaved change the recovery copy is written.
    int RecoveryDelayMs = 25000;
    // Where the show goes at the end when no copy can be written and the show's own folder
    // takes no file; empty: the user's data folder.
    std::string DataFolder;
};

// How a step became current: a press on the lane or the mark bar (the brightness slider
// moves to it and, standing elsewhere before, marks the show modified), or quietly
// (following the play position, the reference view).
enum class StepFocus { Pressed, Quiet };

class EditorSession : public QObject, private DocumentObserver {
    Q_OBJECT
public:
    // Opens the settings file, creates the runtime and the settings object, reads the
    // option settings and starts the output worker (a set-up failure is shown once).
    EditorSession(EditorSessionOptions options, SessionPrompts& prompts, QObject* parent = nullptr);
    ~EditorSession() override;

    // What views read.
    const ProjectData& Document() const { return runtime_->Document(); }
    const EngineState& State() const { return runtime_->State(); }
    const WavSound& Sound() const { return runtime_->Sound(); }
    const EnvData& Env() const { return *env_; }
    const OptionSettings& Options() const { return optionSettings_; }
    const EditState& Edit() const { return edit_; }
    const OutputWorker* Worker() const { return runtime_->Worker(); }
    const OutputConfig& Output() const { return runtime_->Output(); }
    const OutputConfig& RunningOutput() const { return runtime_->RunningOutput(); }
    bool SoundLoaded() const { return files_->SoundLoaded(); }
    int CurrentLine() const;
    // The current step of the current line, or null.
    const TStepRec* CurrentStepRec() const;

    // The objects it composes.
    ShowFiles& Files() { return *files_; }
    TransportControl& Player() { return *transport_; }
    const TransportControl& Player() const { return *transport_; }
    OscServer& Osc() { return *osc_; }
    const OscServer& Osc() const { return *osc_; }
    // The settings file, where each window keeps its own placement, and the settings
    // object whose palette and monitor keys the step colour dialog and the colour monitor
    // keep themselves.
    IniFile& Settings() { return *ini_; }
    EnvData& Preferences() { return *env_; }
    // The document the extended selection dialog selects in, through the document's own
    // selection operations (which report as every edit does).
    ProjectData& SelectionDocument() { return runtime_->Document(); }
    // What the project settings dialog changes while it is open.
    ProjectSettingsHost& ProjectHost() { return *projectHost_; }
    // What the option dialog changes at once: commands are the shortcut table's actions,
    // display the window's display timer.
    std::unique_ptr<OptionHost> MakeOptionHost(std::vector<QAction*> commands, QTimer& display);

    // The option dialog's values after OK, all at once; the panes repaint.
    void ApplyOptions(const OptionValues& values);
    // The values the option dialog starts from.
    OptionValues CurrentOptions() const;
    void ToggleRepeat();
    // Whether the tick restarted the show for repeat since the last call.
    bool TakeRepeatRestarted() { return Engine().RepeatRestarted.exchange(false); }
    // The display interval written at exit.
    void SetDisplayInterval(int32_t ms) { optionSettings_.DispInterval = ms; }
    // The project settings dialog's values after OK: the times, then a changed sound file
    // (taken only when found and its waveform summary builds), then a changed title.
    void ApplyProjectSettings(const ProjectSettingsValues& values);
    // The output worker's errors, one box at a time; false while they are being shown.
    bool HasPostedErrors() const;
    void ShowPostedErrors();
    // The lights show this colour while the step colour dialog is open; NoColor: the show.
    void SetPreviewColor(uint32_t color);

    // The current line and step.
    // Makes line current without a current step; the tabs' and the colour monitor's way
    // also clears the selection of all lines, the line menu's way keeps it.
    void SetCurrentLine(int line, bool clearSelection);
    // Step index of the current line becomes current (-1: none).
    void FocusStep(int index, StepFocus how = StepFocus::Pressed);

    // The one-shot guards of a double-click: its second press starts no drag (step) and
    // does nothing (empty lane). Take... tells whether it was set and clears it.
    void IgnoreNextStepPress();
    void IgnoreNextEmptyPress();
    bool TakeStepPressGuard();
    bool TakeEmptyPressGuard();

    // Selection edits of the panes (indexes name steps of the current line).
    void SetSelection(bool selected, bool allLines);
    void SelectRange(int a, int b);
    void SelectStep(int index, bool alone);
    void SelectSteps(std::span<const StepPos> steps);
    // A press on step index of the mark bar or the reference view: alone, with Shift the
    // range from the step current before, with Ctrl added; with both nothing changes.
    void SelectPressed(int index, bool shift, bool ctrl);
    // The lane's rubber band: its steps join the selection; one selected step becomes current.
    void SelectBand(std::span<const StepPos> steps);

    // A press that may start a drag on step `pressed`: undo snapshot and drag origins; the
    // first and last selected steps of the current line are in Edit().Dragged().
    void PrepareDrag(int pressed);
    // The drag starts: without live display the panes keep painting the lines as they are.
    void BeginDrag(DragKind kind, DragPane pane);
    // Shift pressed or let go during a drag on the lane.
    void SwitchDrag(DragKind kind);
    // The drag's moves; the dragged step stays the current step through the re-sorts.
    void MoveDragged(int32_t delta, bool keepOrder);
    void StretchDragged(int32_t time);
    void DragBrightness(int32_t brightness);
    // The release of a time or stretch drag: the dragged step lands at dropAt when given,
    // the lines are tidied. Both ends end the drag.
    void EndTimeDrag(std::optional<int32_t> dropAt);
    void EndBrightnessDrag(int32_t brightness);

    // Brightness and colour of the current step (and for the wheel the selection).
    void WheelBrightness(int32_t delta);
    // The brightness slider moved by the person.
    void SetCurrentBrightness(int32_t brightness);
    void PaintColor(uint32_t color, bool withUndo);

    // The step commands. cursorTime is the time under the play cursor.
    bool CanAddStep() const;
    bool CanEditSteps() const; // a current step, or a selected step on any line
    void AddStepCommand(int32_t cursorTime);
    void PropStepCommand(int32_t cursorTime);
    void TimeStepCommand();
    void ZeroBrightnessCommand();

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
    // After the extended selection dialog's OK.
    void SelectionReplaced();

    // The multi-line commands of the reference view.
    void CutMultiCommand();
    void CopyMultiCommand();
    void PasteMultiCommand();
    void SelectAllMultiCommand();
    void AlignMultiCommand();
    // The factor asked for in an input box: the time stretch (up to 10 either way) or the
    // brightness stretch (up to 4).
    void StretchMultiCommand(bool time);

    // The recovery copy. Offer... asks about each copy found at start, newest first (open,
    // discard once confirmed, or keep for later), and opens the one the person wants; true
    // when it did. Keep... writes the copy of a show with unsaved changes now (the program
    // ends without asking anyone), or when that fails the show beside its file or in the
    // data folder, named at the next start; false when nothing could be written.
    // Forget... removes this run's copies once the show was saved or its changes discarded.
    bool OfferRecoveryCopies();
    bool KeepRecoveryCopy();
    void ForgetRecoveryCopy();
    const RecoveryCopy& Recovery() const { return *recovery_; }

    // A status text from a pane.
    void ShowStatus(StatusPanel panel, const QString& text) { emit statusText(panel, text); }

    // Closes in order: stops the show, closes the player on the worker, runs the window's
    // steps, writes the engine's settings, ends the worker, writes the rest and saves.
    void Close(const std::function<void()>& stopDisplay, const std::function<void()>& writeWindowSettings);

signals:
    // Emitted once per change, after the document's lock was released.
    void changed(const EditorChange& change);
    void titleChanged(const QString& title);
    void statusText(StatusPanel panel, const QString& text);
    // After an OSC start at a time: scroll the play position into view.
    void showPlayPosition();
    void transportNotice(TransportNotice notice);
    // A command ran: the window runs its update pass.
    void commandDone();
    // While a project opens the display timer holds (a message box may run the event loop).
    void displayHold(bool hold);

private:
    void DocumentChanged(const DocumentChange& change) override;
    void Report(const EditorChange& change);
    // The step colour dialog; the preview on the lights ends with it.
    std::optional<uint32_t> AskStepColor(const QString& caption, uint32_t color);
    ProjectData& Doc() { return runtime_->Document(); }
    EngineState& Engine() { return runtime_->State(); }
    void SetCurrentStep(int index);
    void ClearCurrentStep();
    void EndDrag();

    EditorSessionOptions options_;
    SessionPrompts& prompts_;
    std::unique_ptr<IniFile> ini_;
    OptionSettings optionSettings_;
    std::unique_ptr<ShowRuntime> runtime_;
    std::unique_ptr<EnvData> env_;
    EditState edit_;
    // The brightness the slider shows: the current step's at the last report.
    int32_t shownBrightness_ = 0;
    std::unique_ptr<TransportControl> transport_;
    std::unique_ptr<ShowFiles> files_;
    std::unique_ptr<ProjectSettingsHost> projectHost_;
    OscServer* osc_ = nullptr;
    RecoveryCopy* recovery_ = nullptr;
    bool showingErrors_ = false;
};
