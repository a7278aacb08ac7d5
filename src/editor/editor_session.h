#pragma once
// EditorSession: the one writer of the running show. Every command and edit of the editor
// goes through here, and through the document's own operations; the session turns what
// changed into signals, so each pane repaints only what it must. It owns the settings
// file, the runtime (document, engine, sound, Art-Net worker), the settings object, the
// transport and the OSC server, and builds and closes them in order.

#include "document/document_observer.h"
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
#include <string>
#include <vector>

class QUdpSocket;

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
    void ReadOscDatagrams();

    EditorSessionOptions options_;
    SessionPrompts& prompts_;
    std::unique_ptr<IniFile> ini_;
    OptionSettings optionSettings_;
    std::unique_ptr<ShowRuntime> runtime_;
    std::unique_ptr<EnvData> env_;
    std::unique_ptr<Transport> transport_;
    std::unique_ptr<OscReceiver> osc_;
    QUdpSocket* oscServer_ = nullptr;
    int32_t oscPort_ = 9901;
    bool opened_ = false; // a project was opened or a new show started
};
