#pragma once
// ProjectSettingsDialog, "プロジェクトの設定": the show's title, its sound file, the DMX patch with
// its load check, and the lead-in and run-out. Patch edits, the load check and the closing
// of the player act at once through the host; title, sound file and times come back from
// Execute only when the dialog closes with OK. Created once and reused.

#include "dialogs/project_settings_host.h"

#include <QDialog>

#include <optional>

class IniFile;
class PatchGrid;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

// The caption a command gives its dialog: up to its first "(", without "&" and "...".
QString ActionDialogCaption(const QString& actionCaption);

class ProjectSettingsDialog : public QDialog {
    Q_OBJECT
public:
    // host and settings must outlive the dialog.
    ProjectSettingsDialog(ProjectSettingsHost& host, IniFile& settings, QWidget* parent = nullptr);

    // Shows the dialog modally from start; on OK the edited values. After a Cancel the host
    // gets the sound back when the dialog had closed it.
    std::optional<ProjectSettingsValues> Execute(const QString& caption, const ProjectSettingsValues& start);

    // Takes path as the sound file, as a browse or a drop does: the player closes at once.
    void ChooseSound(const std::string& path);

    QTabWidget* Pages() const { return pages_; }
    PatchGrid* Grid() const { return grid_; }
    QLineEdit* TitleEdit() const { return titleEdit_; }
    QLineEdit* SoundFileEdit() const { return wavFileEdit_; }
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
    bool soundChanged_ = false;
    bool soundClosed_ = false;
};
