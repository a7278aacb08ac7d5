#pragma once
// ProjectSettingsDialog, "プロジェクトの設定": the show's title, its sound file, the DMX patch with
// its load check, and the lead-in and run-out. Patch edits, the load check and the closing
// of the player act at once through the host; title, sound file and times come back from
// Execute only when the dialog closes with OK. Created once and reused. Files dropped
// anywhere on it, its fields included, choose the sound; a sound file name the show
// cannot keep is refused with a message, whether browsed, dropped or typed.

#include "dialogs/project_settings_host.h"
#include "dialogs/project_settings_prompts.h"

#include <QDialog>

#include <optional>
#include <string>

class IniFile;
class PatchGrid;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

// The caption a command gives its dialog: up to its first "(", without "&" and "...".
QString ActionDialogCaption(const QString& actionCaption);

class ProjectSettingsDialog : public QDialog, private ProjectSettingsPrompts {
    Q_OBJECT
public:
    // host, settings and prompts must outlive the dialog. prompts: null for the desktop's
    // file dialog.
    ProjectSettingsDialog(ProjectSettingsHost& host, IniFile& settings, QWidget* parent = nullptr,
                          ProjectSettingsPrompts* prompts = nullptr);

    // Shows the dialog modally from start; on OK the edited values. After a Cancel the host
    // gets the sound back when the dialog had closed it.
    std::optional<ProjectSettingsValues> Execute(const QString& caption, const ProjectSettingsValues& start);

    // Takes path as the sound file, as a browse or a drop does: the player closes at once.
    // A name the show cannot keep is refused with a message, and nothing changes.
    void ChooseSound(const std::string& path);

    QTabWidget* Pages() const { return pages_; }
    PatchGrid* Grid() const { return grid_; }
    QLineEdit* TitleEdit() const { return titleEdit_; }
    QLineEdit* SoundFileEdit() const { return wavFileEdit_; }
    QPushButton* BrowseSoundButton() const { return refWavBtn_; }
    QLabel* SoundInfoLabel() const { return wavInfLabel_; }
    QPushButton* CheckOnButton() const { return chkOnBtn_; }
    QPushButton* CheckOffButton() const { return chkOffBtn_; }
    QComboBox* LeadInBox() const { return preTime_; }
    QComboBox* RunOutBox() const { return postTime_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void done(int result) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QString SoundFilePath(const QString& folder, bool mp3) override;
    // A typed sound file the show cannot keep: refused with a message, the field back to
    // the last sound taken.
    bool RefuseTypedSound();
    QWidget* CreateGeneralPage();
    QWidget* CreatePatchPage();
    QWidget* CreateOtherPage();
    void BrowseSound();
    void CheckClicked();
    void CheckOff();
    void PatchStraight();
    void ClearPatch();
    void ShowSoundInfo();

    ProjectSettingsHost& host_;
    IniFile& settings_;
    ProjectSettingsPrompts& prompts_;
    QTabWidget* pages_;
    QPushButton* refWavBtn_ = nullptr;
    QLineEdit* titleEdit_ = nullptr;
    QLineEdit* wavFileEdit_ = nullptr;
    QLabel* wavInfLabel_ = nullptr;
    PatchGrid* grid_ = nullptr;
    QPushButton* chkOnBtn_ = nullptr;
    QPushButton* chkOffBtn_ = nullptr;
    QComboBox* preTime_ = nullptr;
    QComboBox* postTime_ = nullptr;
    QPushButton* okBtn_ = nullptr;
    QPushButton* cancelBtn_ = nullptr;
    ProjectSettingsValues start_;
    bool titleChanged_ = false;
    std::string soundTaken_; // the field's text as last set by the dialog
    bool soundChosen_ = false; // browsed or dropped
    bool soundTyped_ = false;
    bool soundClosed_ = false;
};
