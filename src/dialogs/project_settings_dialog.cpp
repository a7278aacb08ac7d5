#include "dialogs/project_settings_dialog.h"

#include "common/messages.h"
#include "common/paths.h"
#include "dialogs/dialog_placement.h"
#include "dialogs/local_file_name.h"
#include "dialogs/patch_grid.h"
#include "document/play_globals.h"
#include "document/sound_file_name.h"
#include "settings/window_defaults.h"
#include "sound/sound_info_text.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <vector>

namespace {

constexpr int MaxSeconds = 30;

std::string Upper(std::string text)
{
    for (char& c : text)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

QComboBox* SecondsComboBox(const char* name, QWidget* parent)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    for (int s = 0; s <= MaxSeconds; ++s)
        box->addItem(QString::number(s));
    return box;
}

void SelectSeconds(QComboBox* box, int32_t ms)
{
    const int32_t s = ms / 1000;
    box->setCurrentIndex(s >= 0 && s <= MaxSeconds ? int(s) : -1);
}

// The chosen time; with nothing chosen (a stored time outside the list) the time stays.
int32_t ChosenTime(const QComboBox* box, int32_t before)
{
    return box->currentIndex() >= 0 ? box->currentIndex() * 1000 : before;
}

} // namespace

QString ActionDialogCaption(const QString& actionCaption)
{
    QString caption = actionCaption.left(actionCaption.indexOf('(') >= 0 ? actionCaption.indexOf('(') : -1);
    caption.remove('&');
    caption.remove("...");
    caption.remove(QChar(0x2026)); // the English captions' ellipsis
    return caption;
}

ProjectSettingsDialog::ProjectSettingsDialog(ProjectSettingsHost& host, IniFile& settings, QWidget* parent,
                                             ProjectSettingsPrompts* prompts)
    : QDialog(parent), host_(host), settings_(settings), prompts_(prompts ? *prompts : *this)
{
    setObjectName("SetPrjDlg");
    setWindowTitle(tr("プロジェクトの設定"));
    setAcceptDrops(true);
    pages_ = new QTabWidget(this);
    pages_->setObjectName("PageControl1");
    pages_->addTab(CreateGeneralPage(), tr("全般"));
    pages_->addTab(CreatePatchPage(), tr("DMXパッチ"));
    pages_->addTab(CreateOtherPage(), tr("その他"));
    connect(pages_, &QTabWidget::currentChanged, this, &ProjectSettingsDialog::CheckOff);

    okBtn_ = new QPushButton("OK", this);
    okBtn_->setObjectName("OKBtn");
    okBtn_->setDefault(true);
    cancelBtn_ = new QPushButton(tr("キャンセル"), this);
    cancelBtn_->setObjectName("CancelBtn");
    connect(okBtn_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelBtn_, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okBtn_);
    buttons->addWidget(cancelBtn_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->addLayout(buttons);
    // The patch page decides the width: its grid shows all its columns.
    resize(QSize(420, 440).expandedTo(minimumSizeHint()));
}

QWidget* ProjectSettingsDialog::CreateGeneralPage()
{
    auto* page = new QWidget;
    auto* titleGroup = new QGroupBox(tr("タイトル"), page);
    titleEdit_ = new QLineEdit(titleGroup);
    titleEdit_->setObjectName("TitleEdit");
    // A file dropped on a field chooses the sound, as anywhere on the dialog, instead of
    // being written into the field as text.
    titleEdit_->setAcceptDrops(false);
    connect(titleEdit_, &QLineEdit::textEdited, this, [this] { titleChanged_ = true; });
    (new QVBoxLayout(titleGroup))->addWidget(titleEdit_);

    auto* soundGroup = new QGroupBox(tr("サウンドファイル( .WAV .MP3)"), page);
    wavFileEdit_ = new QLineEdit(soundGroup);
    wavFileEdit_->setObjectName("WavFileEdit");
    wavFileEdit_->setAcceptDrops(false);
    connect(wavFileEdit_, &QLineEdit::textEdited, this, [this] { soundTyped_ = true; });
    // A show starts from its sound: an empty field says where to get one.
    wavFileEdit_->setPlaceholderText(tr("「...」でサウンドファイル (WAV / MP3) を選んでください"));
    auto* browse = new QPushButton("...", soundGroup);
    browse->setObjectName("RefWavBtn");
    browse->setFixedWidth(28);
    connect(browse, &QPushButton::clicked, this, &ProjectSettingsDialog::BrowseSound);
    refWavBtn_ = browse;
    wavInfLabel_ = new QLabel(soundGroup);
    wavInfLabel_->setObjectName("WavInfLabel");
    wavInfLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* soundLayout = new QGridLayout(soundGroup);
    soundLayout->addWidget(wavFileEdit_, 0, 0);
    soundLayout->addWidget(browse, 0, 1);
    soundLayout->addWidget(wavInfLabel_, 1, 0, 1, 2);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(titleGroup);
    layout->addWidget(soundGroup);
    layout->addStretch();
    return page;
}

QWidget* ProjectSettingsDialog::CreatePatchPage()
{
    auto* page = new QWidget;
    grid_ = new PatchGrid(host_, page);
    connect(grid_->selectionModel(), &QItemSelectionModel::currentChanged, this, &ProjectSettingsDialog::CheckClicked);

    auto* through = new QPushButton(tr("スルーパッチ"), page);
    through->setObjectName("ThrPatBtn");
    connect(through, &QPushButton::clicked, this, &ProjectSettingsDialog::PatchStraight);
    auto* clear = new QPushButton(tr("全て解除"), page);
    clear->setObjectName("AllClrBtn");
    connect(clear, &QPushButton::clicked, this, &ProjectSettingsDialog::ClearPatch);

    auto* check = new QGroupBox(tr("負荷チェック"), page);
    chkOnBtn_ = new QPushButton("ON", check);
    chkOnBtn_->setObjectName("ChkOnBtn");
    chkOffBtn_ = new QPushButton("OFF", check);
    chkOffBtn_->setObjectName("ChkOffBtn");
    auto* toggles = new QButtonGroup(check);
    for (QPushButton* b : {chkOnBtn_, chkOffBtn_}) {
        b->setCheckable(true);
        b->setAutoDefault(false);
        toggles->addButton(b);
        connect(b, &QPushButton::clicked, this, &ProjectSettingsDialog::CheckClicked);
    }
    chkOffBtn_->setChecked(true);
    auto* checkLayout = new QHBoxLayout(check);
    checkLayout->addWidget(chkOnBtn_);
    checkLayout->addWidget(chkOffBtn_);

    auto* side = new QVBoxLayout;
    side->addWidget(through);
    side->addWidget(clear);
    side->addStretch();
    side->addWidget(check);
    auto* layout = new QHBoxLayout(page);
    layout->addWidget(grid_, 1);
    layout->addLayout(side);
    return page;
}

QWidget* ProjectSettingsDialog::CreateOtherPage()
{
    auto* page = new QWidget;
    preTime_ = SecondsComboBox("PreTimeComboBox", page);
    postTime_ = SecondsComboBox("PostTimeComboBox", page);
    auto* layout = new QGridLayout(page);
    layout->addWidget(new QLabel(tr("プリプレイ・タイム"), page), 0, 0);
    layout->addWidget(preTime_, 0, 1);
    layout->addWidget(new QLabel(tr("秒"), page), 0, 2);
    layout->addWidget(new QLabel(tr("ポストプレイ・タイム"), page), 1, 0);
    layout->addWidget(postTime_, 1, 1);
    layout->addWidget(new QLabel(tr("秒"), page), 1, 2);
    layout->setColumnStretch(3, 1);
    layout->setRowStretch(2, 1);
    return page;
}

std::optional<ProjectSettingsValues> ProjectSettingsDialog::Execute(const QString& caption, const ProjectSettingsValues& start)
{
    setWindowTitle(caption);
    start_ = start;
    titleEdit_->setText(QString::fromStdString(start.Title));
    wavFileEdit_->setText(QString::fromStdString(start.SoundFile));
    soundTaken_ = start.SoundFile;
    titleChanged_ = soundChosen_ = soundTyped_ = soundClosed_ = false;
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    ProjectSettingsValues result;
    result.Title = titleEdit_->text().toStdString();
    result.SoundFile = wavFileEdit_->text().toStdString();
    result.PrePlayTime = ChosenTime(preTime_, start.PrePlayTime);
    result.PostPlayTime = ChosenTime(postTime_, start.PostPlayTime);
    result.TitleChanged = titleChanged_;
    result.SoundChanged = soundChosen_ || soundTyped_;
    return result;
}

void ProjectSettingsDialog::showEvent(QShowEvent* event)
{
    CheckOff();
    RestorePlacement(*this, settings_, SetPrjDlgName, SetPrjDlgStyle, SetPrjDlgDefaults);
    ShowSoundInfo();
    SelectSeconds(preTime_, start_.PrePlayTime);
    SelectSeconds(postTime_, start_.PostPlayTime);
    grid_->Model()->Refresh();
    QDialog::showEvent(event);
    if (wavFileEdit_->text().isEmpty()) {
        pages_->setCurrentIndex(0);
        refWavBtn_->setFocus();
    }
}

void ProjectSettingsDialog::hideEvent(QHideEvent* event)
{
    CheckOff();
    QDialog::hideEvent(event);
}

void ProjectSettingsDialog::done(int result)
{
    if (result == QDialog::Accepted && RefuseTypedSound())
        return;
    StorePlacement(*this, settings_, SetPrjDlgName, SetPrjDlgStyle);
    // The player closed for a choice that is not taken would leave the show without its sound.
    if (result != QDialog::Accepted && soundClosed_)
        host_.ReopenSound();
    soundClosed_ = false;
    QDialog::done(result);
}

void ProjectSettingsDialog::CheckOff()
{
    chkOffBtn_->setChecked(true);
    CheckClicked();
}

void ProjectSettingsDialog::CheckClicked()
{
    const bool on = chkOnBtn_->isChecked();
    host_.SetCheckGroup(on ? grid_->currentIndex().row() - 1 : CheckGroupOff);
    grid_->SetCheckShown(on);
}

void ProjectSettingsDialog::PatchStraight()
{
    if (!ConfirmYesNo(tr("スルーパッチしてもよいですか").toStdString()))
        return;
    std::vector<int32_t> patch(DmxSlots, -1);
    for (int i = 0; i < 24; ++i)
        patch[size_t(i)] = i;
    host_.SetPatchEntries(0, patch);
    grid_->Model()->Refresh();
}

void ProjectSettingsDialog::ClearPatch()
{
    if (!ConfirmYesNo(tr("全てのパッチを解除してもよいですか").toStdString()))
        return;
    const std::vector<int32_t> patch(DmxSlots, -1);
    host_.SetPatchEntries(0, patch);
    grid_->Model()->Refresh();
}

bool ProjectSettingsDialog::RefuseTypedSound()
{
    if (!soundTyped_)
        return false;
    std::string typed = wavFileEdit_->text().toStdString();
    ResolvePath(typed);
    const std::string refusal = SoundFileRefusal(typed);
    if (refusal.empty())
        return false;
    ShowError(refusal);
    wavFileEdit_->setText(QString::fromStdString(soundTaken_));
    soundTyped_ = false;
    ShowSoundInfo();
    return true;
}

void ProjectSettingsDialog::BrowseSound()
{
    const std::string current = wavFileEdit_->text().toStdString();
    std::string folder = current;
    ResolvePath(folder);
    const QString chosen = prompts_.SoundFilePath(QString::fromStdString(std::filesystem::path(folder).parent_path()),
                                                  Upper(std::filesystem::path(current).extension().string()) == ".MP3");
    if (!chosen.isEmpty())
        ChooseSound(LocalFileName(chosen));
}

QString ProjectSettingsDialog::SoundFilePath(const QString& folder, bool mp3)
{
    const QStringList filters = {tr("サウンドファイル (*.wav *.WAV)"), tr("サウンドファイル (*.mp3 *.MP3)")};
    QFileDialog dialog(this, tr("サウンドファイルの選択"), folder);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters[mp3 ? 1 : 0]);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front();
}

void ProjectSettingsDialog::ChooseSound(const std::string& path)
{
    std::string found = path;
    const bool exists = ResolvePath(found);
    if (const std::string refusal = SoundFileRefusal(found); !refusal.empty()) {
        ShowError(refusal);
        return;
    }
    okBtn_->setEnabled(false);
    cancelBtn_->setEnabled(false);
    host_.CloseSound();
    soundClosed_ = true;
    if (exists) {
        const std::string& exe = ExeDir();
        if (Upper(found).starts_with(Upper(exe)))
            found.erase(0, exe.size());
        wavFileEdit_->setText(QString::fromStdString(found));
    } else {
        wavFileEdit_->clear();
    }
    soundTaken_ = wavFileEdit_->text().toStdString();
    soundChosen_ = true;
    soundTyped_ = false;
    ShowSoundInfo();
    okBtn_->setEnabled(true);
    cancelBtn_->setEnabled(true);
}

void ProjectSettingsDialog::ShowSoundInfo()
{
    wavInfLabel_->setText(QString::fromStdString(SoundInfoText(wavFileEdit_->text().toStdString())));
}

void ProjectSettingsDialog::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void ProjectSettingsDialog::dropEvent(QDropEvent* event)
{
    std::vector<std::string> dropped;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            dropped.push_back(LocalFileName(url.toLocalFile()));
    std::vector<std::string> sounds;
    GetDroppedFiles(dropped, sounds, ".WAV;.MP3");
    if (sounds.size() == 1)
        ChooseSound(sounds.front());
    event->acceptProposedAction();
}
