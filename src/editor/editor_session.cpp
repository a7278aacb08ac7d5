#include "editor/editor_session.h"

#include "common/messages.h"
#include "common/paths.h"
#include "common/string_table.h"
#include "editor/session_dialog_host.h"
#include "editor/commands.h"
#include "dialogs/output_page.h"
#include "editor/status_texts.h"
#include "runtime/output_settings.h"

#include <QDateTime>
#include <QFileInfo>
#include <QString>

#include <algorithm>
#include <array>
#include <utility>
#include <cmath>
#include <filesystem>

namespace {

// A caption as a dialog title: without its access-key marks.
std::string WithoutAccessKeys(std::string caption)
{
    std::erase(caption, '&');
    return caption;
}

} // namespace

EditorSession::EditorSession(EditorSessionOptions options, SessionPrompts& prompts, QObject* parent)
    : QObject(parent), options_(std::move(options)), prompts_(prompts)
{
    ini_ = std::make_unique<IniFile>(options_.SettingsPath);
    optionSettings_ = ReadOptionSettings(*ini_);

    ShowRuntimeOptions runtimeOptions;
    runtimeOptions.OutputUniverse = optionSettings_.TxUniverse;
    runtimeOptions.DmxInterval = optionSettings_.DmxInterval;
    runtimeOptions.LightLatency = optionSettings_.LightLatency;
    runtimeOptions.ReportInitError = [](const std::string& text) { ShowError(text, QT_TRANSLATE_NOOP("Core", "ArtNet初期化エラー")); };
    runtimeOptions.Output = ReadOutputSettings(*ini_);
    runtimeOptions.ReportOutputProblem = [](const OutputCheck& problem) {
        ShowError(OutputProblemText(problem).toStdString());
    };
    runtimeOptions.Audio = options_.Audio;
    runtimeOptions.Platform = options_.Platform;
    runtime_ = std::make_unique<ShowRuntime>(std::move(runtimeOptions));
    env_ = std::make_unique<EnvData>(*ini_, runtime_->Play(), options_.ExeDir, options_.PaletteLoader);
    Doc().AddObserver(*this);

    transport_ = std::make_unique<TransportControl>(Engine(), [this](TransportNotice n) { emit transportNotice(n); });
    files_ = std::make_unique<ShowFiles>(*runtime_, *env_, prompts_, this);
    connect(files_.get(), &ShowFiles::showReplaced, this, [this] {
        ClearCurrentStep();
        EndDrag();
        Report(EditorChange::OfEverything());
    });
    connect(files_.get(), &ShowFiles::titleChanged, this, &EditorSession::titleChanged);
    connect(files_.get(), &ShowFiles::statusHint, this,
            [this](const QString& text) { emit statusText(StatusPanel::Hint, text); });
    connect(files_.get(), &ShowFiles::displayHold, this, &EditorSession::displayHold);
    connect(files_.get(), &ShowFiles::commandDone, this, &EditorSession::commandDone);
    projectHost_ = std::make_unique<SessionProjectHost>(*runtime_, *env_, *files_);
    osc_ = new OscServer(Engine(), [this](TransportNotice n) { emit transportNotice(n); },
                         OscCommandRunner::Hooks{[this] { return SoundLoaded(); }, [this] { emit showPlayPosition(); }},
                         [this] { return OscShowTitle(Document()); }, ReadOscPort(*ini_), this);
    osc_->SetLists(ReadOscLists(*ini_));
    connect(osc_, &OscServer::status, this, [this](const QString& text) { emit statusText(StatusPanel::Hint, text); });
    connect(osc_, &OscServer::commandDone, this, &EditorSession::commandDone);
    connect(files_.get(), &ShowFiles::showReplaced, osc_, &OscServer::ShowOpened);
    const std::string folder = options_.RecoveryFolder.empty()
                                   ? RecoveryFolder(options_.SettingsPath, options_.ExeDir)
                                   : options_.RecoveryFolder;
    recovery_ = new RecoveryCopy(folder, options_.RecoveryDelayMs,
                                 {[this] { return Document().FileName; }, [this] { return Document().ProjectBytes(); }},
                                 this);
    // Said once a turn of the event loop later: never a box in the middle of a close.
    connect(
        recovery_, &RecoveryCopy::writeFailed, this,
        [this](const QString& reason) {
            ShowError(Translated("Core", Msg::RecoveryWriteFailed) + "\n" + recovery_->Folder() + "\n" +
                          reason.toStdString(),
                      Msg::RecoveryCaption);
        },
        Qt::QueuedConnection);
    runtime_->Start();
    if (optionSettings_.RefusedTxUniverse)
        ShowError(OutputProblemText({OutputProblem::PortAddress, std::to_string(*optionSettings_.RefusedTxUniverse)})
                      .toStdString());
}

EditorSession::~EditorSession()
{
    Doc().RemoveObserver(*this);
    if (!runtime_->Closed())
        runtime_->Close();
}

std::unique_ptr<OptionHost> EditorSession::MakeOptionHost(std::vector<QAction*> commands, QTimer& display)
{
    return std::make_unique<SessionOptionHost>(*this, *runtime_, std::move(commands), display);
}

void EditorSession::DocumentChanged(const DocumentChange& change)
{
    // A copy follows every unsaved change; a save (the flag flipping back) ends its need.
    if (Document().Modified)
        recovery_->Due();
    else if (change.Modified)
        recovery_->Remove();
    Report(EditorChange::FromDocument(change));
}

bool EditorSession::OfferRecoveryCopies()
{
    // The last run could not keep a copy and saved the show elsewhere: said once.
    if (const std::string elsewhere = ini_->ReadString("Recovery", "SavedElsewhere", {}); !elsewhere.empty()) {
        ini_->WriteString("Recovery", "SavedElsewhere", {});
        ShowError(Translated("Core", Msg::RecoverySavedElsewhere) + "\n" + elsewhere, Msg::RecoveryCaption);
    }
    const auto at = [](int64_t seconds) {
        return QDateTime::fromSecsSinceEpoch(seconds).toString("yyyy/MM/dd HH:mm:ss").toStdString();
    };
    for (const RecoveryCopy::Found& found : RecoveryCopy::FindAll(recovery_->Folder())) {
        const std::string& showPath = found.Record.ShowPath;
        std::string text = "[" + (showPath.empty() ? Translated("Core", Msg::Untitled) : showPath) + "] " +
                           Translated("Core", Msg::RecoveryFound) + " (" + at(found.Record.SavedAt) + ")";
        // Opening a copy older than the show's file and saving it would undo the later save.
        const QFileInfo showFile(QString::fromStdString(showPath));
        if (!showPath.empty() && showFile.exists() && showFile.lastModified().toSecsSinceEpoch() > found.Record.SavedAt)
            text += "\n\n" + Translated("Core", Msg::RecoveryShowNewer) + " (" +
                    at(showFile.lastModified().toSecsSinceEpoch()) + ")";
        text += "\n\n" + Translated("Core", Msg::RecoveryQuestion);
        for (bool asked = false; !asked;) {
            asked = true;
            switch (AskChoice(text, Msg::RecoveryCaption, {Msg::RecoveryOpen, Msg::RecoveryDiscard, Msg::RecoveryLater})) {
            case Answer::Yes:
                if (files_->OpenRecovered(found.CopyPath, showPath)) {
                    recovery_->Adopt(found);
                    return true;
                }
                break;
            case Answer::No:
                // Gone for good: asked once more, and a "no" asks the first question again.
                if (ConfirmYesNo(Translated("Core", Msg::RecoveryConfirmDiscard), Msg::RecoveryCaption))
                    RecoveryCopy::Discard(found);
                else
                    asked = false;
                break;
            case Answer::Cancel:
                break; // kept for a later start
            }
        }
    }
    return false;
}

bool EditorSession::KeepRecoveryCopy()
{
    if (!Document().Modified || recovery_->WriteNow())
        return true;
    // No copy can be written (a full disk, a folder not ours): the show goes where a file
    // can be written, and the next start says where.
    const std::string place = recovery_->WriteElsewhere(
        options_.DataFolder.empty() ? UserFolder("XDG_DATA_HOME", ".local/share") + "/lumenrill" : options_.DataFolder);
    if (place.empty())
        return false;
    ini_->WriteString("Recovery", "SavedElsewhere", place);
    return bool(ini_->UpdateFile());
}

void EditorSession::ForgetRecoveryCopy() { recovery_->Remove(); }

void EditorSession::Report(const EditorChange& change)
{
    if (const TStepRec* s = CurrentStepRec())
        shownBrightness_ = s->Brightness;
    emit changed(change);
}

int EditorSession::CurrentLine() const { return std::clamp(Document().CurrentLine.load(), 0, LineCount - 1); }

const TStepRec* EditorSession::CurrentStepRec() const
{
    const TStepList& line = Document().Lines[size_t(CurrentLine())];
    const int i = edit_.CurrentStep();
    return i >= 0 && size_t(i) < line.size() ? &line[size_t(i)] : nullptr;
}

namespace {

// The option dialog's values and the settings they stand for, one list for both ways: a
// new option is one line here besides its control.
constexpr std::array<uint32_t EnvData::*, 8> ColourSettings{&EnvData::LwavFg, &EnvData::LwavBg, &EnvData::RwavFg,
                                                            &EnvData::RwavBg, &EnvData::BlankBg, &EnvData::TLinFg,
                                                            &EnvData::TLinBg, &EnvData::CLinBg};
constexpr std::pair<bool OptionValues::*, bool EnvData::*> SwitchSettings[] = {
    {&OptionValues::FlatToolBar, &EnvData::FlatToolBar}, {&OptionValues::DispTracking, &EnvData::DispTracking},
    {&OptionValues::MonClickTab, &EnvData::MonClickTab}, {&OptionValues::UseWheel, &EnvData::UseWheel},
    {&OptionValues::CurActivate, &EnvData::CurActivate}, {&OptionValues::AutoSave, &EnvData::AutoSave}};

} // namespace

OptionValues EditorSession::CurrentOptions() const
{
    const EnvData& env = *env_;
    OptionValues v;
    for (size_t i = 0; i < ColourSettings.size(); ++i)
        v.Colors[i] = env.*ColourSettings[i];
    for (const auto& [value, setting] : SwitchSettings)
        v.*value = env.*setting;
    v.SaveInterval = env.SaveInterval;
    v.ImgFile = env.ImgFile;
    v.LightLatency = optionSettings_.LightLatency;
    v.Language = optionSettings_.Language;
    v.OscFeedbackTargets = osc_->Lists().FeedbackTargets;
    v.OscAllowFrom = osc_->Lists().AllowFrom;
    return v;
}

void EditorSession::ApplyOptions(const OptionValues& v)
{
    EnvData& env = *env_;
    for (size_t i = 0; i < ColourSettings.size(); ++i)
        env.*ColourSettings[i] = v.Colors[i];
    for (const auto& [value, setting] : SwitchSettings)
        env.*setting = v.*value;
    env.SaveInterval = v.SaveInterval;
    // Takes effect at the next frame; written with the other options at close.
    optionSettings_.LightLatency = ClampLightLatency(v.LightLatency);
    runtime_->Play().LightLatency = optionSettings_.LightLatency;
    optionSettings_.Language = v.Language;
    osc_->SetLists({v.OscFeedbackTargets, v.OscAllowFrom});
    if (v.ImgFileChanged) {
        env.ImgFile = env.ImgFileSetting(v.ImgFile);
        env.LoadPalette(env.ImgFile);
    }
    Report(EditorChange::OfEverything());
}

void EditorSession::ToggleRepeat() { env_->Repeat = !env_->Repeat; }

void EditorSession::ApplyProjectSettings(const ProjectSettingsValues& values)
{
    Doc().SetPlayTimes(values.PrePlayTime, values.PostPlayTime);
    files_->ApplySoundAndTitle(values);
}

bool EditorSession::HasPostedErrors() const { return !runtime_->Errors().Empty(); }

void EditorSession::ShowPostedErrors()
{
    // One box at a time; the display timer and OSC go on while it is open.
    if (showingErrors_)
        return;
    showingErrors_ = true;
    runtime_->Errors().ShowAll();
    showingErrors_ = false;
}

void EditorSession::SetPreviewColor(uint32_t color) { Engine().PreviewColor = color; }

void EditorSession::Close(const std::function<void()>& stopDisplay,
                          const std::function<void()>& writeWindowSettings)
{
    osc_->Close();
    runtime_->Close({
        stopDisplay,
        [this] {
            WriteOscPort(*ini_, osc_->Port());
            WriteOscLists(*ini_, osc_->Lists());
            OptionSettings written = optionSettings_;
            written.TxUniverse = runtime_->Worker() ? runtime_->Worker()->OutputUniverse.load()
                                                    : optionSettings_.TxUniverse;
            WriteOptionSettings(*ini_, written, runtime_->Play().PrePlayTime, runtime_->Play().PostPlayTime);
            WriteOutputSettings(*ini_, runtime_->Output());
        },
        [this, writeWindowSettings] {
            if (writeWindowSettings)
                writeWindowSettings();
            const WriteResult saved = env_->Save();
            if (!saved)
                ShowError(ini_->FileName() + "\n" + saved.error);
        },
    });
}

void EditorSession::SetCurrentStep(int index)
{
    const int before = edit_.CurrentStep();
    edit_.SetCurrentStep(index);
    if (index != before)
        Report(EditorChange::OfEditing());
}

void EditorSession::ClearCurrentStep()
{
    const bool had = edit_.CurrentStep() != -1;
    edit_.ClearCurrentStep();
    if (had)
        Report(EditorChange::OfEditing());
}

void EditorSession::SetCurrentLine(int line, bool clearSelection)
{
    if (!IsValidLine(line))
        return;
    Doc().CurrentLine = line;
    edit_.ClearCurrentStep();
    if (clearSelection)
        Doc().SetSelection(0, true);
    EditorChange change = EditorChange::OfEditing();
    change.CurrentLine = true;
    Report(change);
    emit commandDone();
}

void EditorSession::FocusStep(int index, StepFocus how)
{
    edit_.SetCurrentStep(index);
    const TStepRec* s = CurrentStepRec();
    if (!s)
        edit_.currentStep_ = -1;
    // The slider moves to a pressed step's brightness and writes it back: the show counts
    // as changed, as it always has, when the slider stood elsewhere.
    if (s && how == StepFocus::Pressed && s->Brightness != shownBrightness_)
        Doc().MarkModified();
    Report(EditorChange::OfEditing());
}

void EditorSession::IgnoreNextStepPress() { edit_.ignoreStepPress_ = true; }

void EditorSession::IgnoreNextEmptyPress() { edit_.ignoreEmptyPress_ = true; }

bool EditorSession::TakeStepPressGuard() { return std::exchange(edit_.ignoreStepPress_, false); }

bool EditorSession::TakeEmptyPressGuard() { return std::exchange(edit_.ignoreEmptyPress_, false); }

void EditorSession::SetSelection(bool selected, bool allLines) { Doc().SetSelection(selected ? 1 : 0, allLines); }

void EditorSession::SelectRange(int a, int b) { Doc().SelectRange(a, b); }

void EditorSession::SelectStep(int index, bool alone) { Doc().SelectStep(index, alone); }

void EditorSession::SelectSteps(std::span<const StepPos> steps) { Doc().SelectSteps(steps); }

void EditorSession::SelectPressed(int index, bool shift, bool ctrl)
{
    if (!shift && !ctrl)
        Doc().SelectStep(index, true);
    else if (shift && !ctrl)
        Doc().SelectRange(edit_.PreviousStep(), index);
    else if (ctrl && !shift)
        Doc().SelectStep(index, false);
}

void EditorSession::SelectBand(std::span<const StepPos> steps)
{
    Doc().SelectSteps(steps);
    if (Document().CountSelected() == 1) {
        const TStepList& line = Document().Lines[size_t(CurrentLine())];
        for (size_t i = 0; i < line.size(); ++i)
            if (line[i].Selected) {
                SetCurrentStep(int(i));
                break;
            }
    }
}

void EditorSession::PrepareDrag(int pressed) { edit_.dragged_ = Doc().StartDrag(pressed); }

void EditorSession::BeginDrag(DragKind kind, DragPane pane)
{
    edit_.drag_ = kind;
    edit_.dragOwner_ = pane;
    edit_.dragMoved_ = false;
    if (!env_->DispTracking)
        edit_.Freeze(Document().Lines);
    Report(EditorChange::OfEditing());
}

void EditorSession::SwitchDrag(DragKind kind)
{
    edit_.drag_ = kind;
    if (kind == DragKind::Time)
        edit_.dragMoved_ = false;
}

void EditorSession::EndDrag()
{
    const bool was = edit_.Dragging() || edit_.Frozen();
    edit_.drag_ = DragKind::None;
    edit_.dragMoved_ = false;
    edit_.frozen_.reset();
    if (was)
        Report(EditorChange::OfEditing());
}

void EditorSession::MoveDragged(int32_t delta, bool keepOrder)
{
    DragSteps& d = edit_.dragged_;
    d.Dragged = Doc().MoveSelected(delta, keepOrder, d.Dragged);
    edit_.currentStep_ = d.Dragged;
    edit_.dragMoved_ = true;
}

void EditorSession::StretchDragged(int32_t time)
{
    Doc().StretchSelected(edit_.dragged_, time);
    edit_.currentStep_ = edit_.dragged_.Dragged;
}

void EditorSession::DragBrightness(int32_t brightness) { Doc().DragBrightness(edit_.dragged_.Dragged, brightness); }

void EditorSession::EndTimeDrag(std::optional<int32_t> dropAt)
{
    DragSteps& d = edit_.dragged_;
    d.Dragged = Doc().EndTimeDrag(d.Dragged, dropAt);
    edit_.currentStep_ = d.Dragged;
    EndDrag();
}

void EditorSession::EndBrightnessDrag(int32_t brightness)
{
    Doc().SetStepBrightness(edit_.dragged_.Dragged, brightness);
    EndDrag();
}

void EditorSession::WheelBrightness(int32_t delta) { Doc().WheelBrightness(edit_.CurrentStep(), delta); }

void EditorSession::SetCurrentBrightness(int32_t brightness)
{
    if (!CurrentStepRec())
        return;
    Doc().SetStepBrightness(edit_.CurrentStep(), brightness);
    emit statusText(StatusPanel::Value, BrightnessText(brightness));
}

void EditorSession::PaintColor(uint32_t color, bool withUndo) { Doc().PaintColor(edit_.CurrentStep(), color, withUndo); }

bool EditorSession::CanAddStep() const
{
    const TStepRec* current = CurrentStepRec();
    return SoundLoaded() && State().Play.PlayPosition != (current ? current->Time : 0);
}

bool EditorSession::CanEditSteps() const { return CurrentStepRec() || Document().CountSelectedAll() > 0; }

void EditorSession::AddStepCommand(int32_t cursorTime)
{
    // The press that may follow the dialog must not start a drag.
    IgnoreNextStepPress();
    if (const std::optional<uint32_t> color = AskStepColor(CommandCaption(Command::AddStep), 0))
        Doc().AddStep(*color, 0, cursorTime, 0, true);
    emit commandDone();
}

void EditorSession::PropStepCommand(int32_t cursorTime)
{
    const TStepRec* current = CurrentStepRec();
    if (!current && Document().CountSelectedAll() == 0) {
        AddStepCommand(cursorTime);
        return;
    }
    if (const std::optional<uint32_t> color = AskStepColor(CommandCaption(Command::StepColour), current ? current->Color : 0))
        Doc().ColorSteps(edit_.CurrentStep(), *color);
    emit commandDone();
}

std::optional<uint32_t> EditorSession::AskStepColor(const QString& caption, uint32_t color)
{
    std::optional<uint32_t> chosen = prompts_.StepColor(WithoutAccessKeys(caption.toStdString()), color);
    // The lights show the dialog's colour only while it is open.
    SetPreviewColor(NoColor);
    return chosen;
}

void EditorSession::TimeStepCommand()
{
    const TStepRec* current = CurrentStepRec();
    std::optional<int32_t> start;
    if (current) {
        start = current->Time;
    } else {
        for (const TStepList& line : Document().Lines)
            for (const TStepRec& s : line)
                if (s.Selected && (!start || s.Time < *start))
                    start = s.Time;
    }
    if (!start)
        return;
    const std::optional<int64_t> time = prompts_.StepTime(*start);
    if (!time)
        return;
    // Typed hours can reach far beyond 32 bits: the range is checked before narrowing.
    if (*time < 0 || *time > State().Play.SoundDuration) {
        Beep();
        return;
    }
    const StepTimeResult r = Doc().SetStepTime(edit_.CurrentStep(), int32_t(*time));
    if (r.Refused)
        Beep();
    else
        SetCurrentStep(r.Current);
    emit commandDone();
}

void EditorSession::ZeroBrightnessCommand()
{
    if (!CurrentStepRec()) {
        ClearCurrentStep();
        return;
    }
    Doc().ZeroBrightness(edit_.CurrentStep());
    emit statusText(StatusPanel::Value, BrightnessText(0));
}

void EditorSession::CutStepCommand()
{
    ClearCurrentStep();
    Doc().CopySelected(true);
    Doc().SetSelection(0, true);
}

void EditorSession::CopyStepCommand()
{
    Doc().CopySelected(false);
    Doc().SetSelection(0, true);
}

void EditorSession::PasteStepCommand() { Doc().PasteSteps(State().Play.PlayPosition); }

void EditorSession::SelectAllCommand()
{
    Doc().SetSelection(1, false);
    emit statusText(StatusPanel::Selection, SelectionAllText(Document()));
}

void EditorSession::AddBlankStepCommand(int32_t cursorTime) { Doc().AddEmptyStep(cursorTime); }

void EditorSession::DeleteStepCommand()
{
    ClearCurrentStep();
    Doc().DeleteSelectedAll();
    emit statusText(StatusPanel::Selection, {});
}

void EditorSession::DeleteAllStepsCommand()
{
    if (!ConfirmYesNo(Msg::ConfirmDelete))
        return;
    ClearCurrentStep();
    Doc().DeleteAllSteps();
}

void EditorSession::MoveToCursorCommand()
{
    if (!CurrentStepRec()) {
        ClearCurrentStep();
        return;
    }
    SetCurrentStep(Doc().MoveStepToCursor(edit_.CurrentStep()));
}

void EditorSession::UndoCommand()
{
    prompts_.SetBusy(true);
    Doc().Undo();
    prompts_.SetBusy(false);
}

void EditorSession::BrightnessStepCommand(bool up)
{
    if (!CurrentStepRec()) {
        ClearCurrentStep();
        return;
    }
    if (up)
        Doc().BrightnessUp(edit_.CurrentStep());
    else
        Doc().BrightnessDown(edit_.CurrentStep());
}

std::optional<int32_t> EditorSession::StepToNeighbour(bool next)
{
    const int count = int(Document().Lines[size_t(CurrentLine())].size());
    int index = edit_.CurrentStep();
    if (next) {
        if (count == 0)
            return std::nullopt;
        index = index < 0 ? 0 : std::min(index + 1, count - 1);
    } else {
        if (index <= 0)
            return std::nullopt;
        index = std::min(index - 1, count - 1);
    }
    edit_.SetCurrentStep(index);
    const TStepRec* step = CurrentStepRec();
    if (step) {
        const StepPos only[] = {{CurrentLine(), index}};
        Doc().SelectOnly(only);
    } else {
        Doc().SetSelection(0, true);
    }
    Report(EditorChange::OfEditing());
    if (!step)
        return std::nullopt;
    emit statusText(StatusPanel::StepTime, StatusTime(step->Time));
    return step->Time;
}

void EditorSession::CopyFromLineCommand()
{
    const int target = CurrentLine();
    if (!Document().Lines[size_t(target)].empty() && !ConfirmYesNo(Msg::ConfirmOverwrite))
        return;
    const std::optional<std::string> text = prompts_.InputText(Translated("Core", Msg::CopyLineTitle), Translated("Core", Msg::CopyLinePrompt));
    if (!text)
        return;
    bool ok = false;
    const int line = QString::fromStdString(*text).trimmed().toInt(&ok);
    if (!ok || line < 1 || line > LineCount)
        return;
    Doc().PushUndo();
    Doc().CopyFromLine(line - 1, target);
}

void EditorSession::SaveGroupCommand()
{
    const std::string path = prompts_.SaveGroupPath();
    if (path.empty())
        return;
    prompts_.SetBusy(true);
    const WriteResult written = Document().SaveGroup(path);
    prompts_.SetBusy(false);
    if (!written)
        ShowError(path + "\n" + written.error);
}

void EditorSession::LoadGroupCommand()
{
    const std::string folder = std::filesystem::path(env_->PrjFile).parent_path().string();
    const std::string path = prompts_.OpenGroupPath(folder);
    if (path.empty())
        return;
    prompts_.SetBusy(true);
    // The position as it is once the dialog has closed.
    Doc().LoadGroup(path, State().Play.PlayPosition);
    prompts_.SetBusy(false);
    emit statusText(StatusPanel::Selection, SelectionAllText(Document()));
}

void EditorSession::SelectionReplaced()
{
    EditorChange change;
    change.Selection = true;
    Report(change);
    emit statusText(StatusPanel::Selection, SelectionAllText(Document()));
}

void EditorSession::CutMultiCommand()
{
    ClearCurrentStep();
    Doc().CopySelectedAll(true);
    Doc().SetSelection(0, true);
    emit statusText(StatusPanel::Selection, {});
}

void EditorSession::CopyMultiCommand()
{
    Doc().CopySelectedAll(false);
    Doc().SetSelection(0, true);
    emit statusText(StatusPanel::Selection, {});
}

void EditorSession::PasteMultiCommand() { Doc().PasteStepsAll(State().Play.PlayPosition); }

void EditorSession::SelectAllMultiCommand() { Doc().SetSelection(1, true); }

void EditorSession::AlignMultiCommand() { Doc().AlignSelected(); }

void EditorSession::StretchMultiCommand(bool time)
{
    const std::string caption = Translated("Core", time ? Msg::StretchTimeTitle : Msg::StretchBrightnessTitle);
    const std::string prompt = Translated("Core", Msg::Factor) + (time ? " (-10.0 .. +10.0)" : " (-4.0 .. +4.0)");
    const std::optional<std::string> text = prompts_.InputText(caption, prompt);
    if (!text || text->empty())
        return;
    bool ok = false;
    double factor = QString::fromStdString(*text).trimmed().toDouble(&ok);
    if (!ok)
        factor = 99; // out of range
    if (std::abs(factor) > (time ? 10.0 : 4.0))
        return;
    if (time)
        Doc().StretchTime(factor);
    else
        Doc().StretchBrightness(factor);
}
