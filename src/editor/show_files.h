#pragma once
// The show's files: opening, saving and starting shows, the recent list, dropped files,
// the sound a show plays and the automatic save. Asks about unsaved changes before anything
// replaces the show, and tells the session when the show or its title was replaced.

#include "dialogs/project_settings_host.h"
#include "editor/session_prompts.h"
#include "runtime/show_runtime.h"
#include "settings/env_data.h"

#include <QObject>
#include <QString>

#include <string>
#include <vector>

// The answer to "save the changes?": saved (or nothing to save), not saved, or cancelled
// (also when the save-as dialog was cancelled or the save failed).
enum class SaveAnswer { Yes, No, Cancel };

class ShowFiles : public QObject {
    Q_OBJECT
public:
    ShowFiles(ShowRuntime& runtime, EnvData& env, SessionPrompts& prompts, QObject* parent = nullptr);

    // Opens the project at path, or starts a new show when path is empty. True when a
    // project file was read.
    bool OpenProject(const std::string& path);
    // Opens the recovery copy at copyPath as the show at showPath (empty: untitled), with
    // unsaved changes, so that a save writes it there. False when the copy cannot be read.
    bool OpenRecovered(const std::string& copyPath, const std::string& showPath);
    // Asks about unsaved changes; either way the show goes to the top of the recent list.
    SaveAnswer AskSaveChanges();
    // The show goes to the top of the recent list, as the question does, without asking.
    void RememberShow();
    void NewProject();
    void OpenProjectCommand();
    void SaveProjectCommand();
    // False when cancelled or failed.
    bool SaveProjectAs();
    void OpenRecent(int index);
    // A project given from outside (a drop, the command line, a second start): asks about
    // unsaved changes first, then opens it. False when the user cancelled.
    bool OpenProjectAsked(const std::string& path);
    // The demo show, from the user's copy of it (made first when missing), as
    // OpenProjectAsked opens a show. False when there is no copy or the user cancelled.
    bool OpenDemo();
    // Files dropped on the window (after start-up). False when refused (with a beep, or for a
    // sound that cannot be used a message naming it and why).
    bool DropFiles(const std::vector<std::string>& paths);
    // The automatic save: only a modified show that has a file name.
    void AutoSave();
    // The project settings dialog's sound and title after OK; the times are the session's.
    void ApplySoundAndTitle(const ProjectSettingsValues& values);
    // Opens the show's own sound again after the player was closed for another.
    void ReopenSound();

    // "Lumenrill", or "Lumenrill  - " and the show's name once a project was opened.
    QString WindowTitle() const;
    bool SoundLoaded() const { return runtime_.Sound().FrameCount() > 0; }

signals:
    // The show was replaced (opened, new) or its sound changed.
    void showReplaced();
    void titleChanged(const QString& title);
    void statusHint(const QString& text);
    // While a project opens the display timer holds (a message box may run the event loop).
    void displayHold(bool hold);
    void commandDone();

private:
    ProjectData& Document() { return runtime_.Document(); }
    bool SaveAs(const std::string& path);
    bool Save();
    // The show's sound and its waveform summary, cached beside projectPath. A show whose
    // sound changed on disk is saved with the new time, unless mayRewrite is false.
    void LoadSoundFor(const std::string& projectPath, bool mayRewrite = true);
    // Before a show is replaced, and after: the player stopped and closed, the display held.
    void BeginReplace();
    void EndReplace();
    void StopForReplace();
    // The sound at path becomes the show's, with its waveform summary saved beside the show,
    // once it has been read whole; false (and said why) when it cannot be used.
    bool TakeSound(const std::string& path);

    ShowRuntime& runtime_;
    EnvData& env_;
    SessionPrompts& prompts_;
    bool opened_ = false; // a project was opened or a new show started
};
