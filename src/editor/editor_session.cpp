#include "editor/editor_session.h"

#include "common/messages.h"
#include "common/paths.h"
#include "common/string_table.h"
#include "common/text_codec.h"
#include "editor/status_texts.h"
#include "sound/sound_file_time.h"

#include <QByteArray>
#include <QHostAddress>
#include <QUdpSocket>

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace {

const std::string SaveQuestion = "変更内容を保存しますか";
const std::string Untitled = "無題";

// path with its extension replaced by ext (".wfm").
std::string WithExtension(const std::string& path, const char* ext)
{
    return std::filesystem::path(path).replace_extension(ext).string();
}

std::string UpperExtension(const std::string& path)
{
    std::string ext = std::filesystem::path(path).extension().string();
    for (char& c : ext)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return ext;
}

QString Q(const std::string& s) { return QString::fromStdString(s); }

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
    oscPort_ = ReadOscPort(*ini_);

    ShowRuntimeOptions runtimeOptions;
    runtimeOptions.OutputUniverse = optionSettings_.TxUniverse;
    runtimeOptions.DmxInterval = optionSettings_.DmxInterval;
    runtimeOptions.LightLatency = optionSettings_.LightLatency;
    runtimeOptions.ReportInitError = [](const std::string& text) { ShowError(text, "ArtNet初期化エラー"); };
    runtimeOptions.Audio = options_.Audio;
    runtimeOptions.Platform = options_.Platform;
    runtime_ = std::make_unique<ShowRuntime>(std::move(runtimeOptions));
    env_ = std::make_unique<EnvData>(*ini_, runtime_->Play(), options_.ExeDir, options_.PaletteLoader);
    Document().AddObserver(*this);
    edit_ = new EditState(this);

    transport_ = std::make_unique<Transport>(State(), [this](TransportNotice n) { emit transportNotice(n); });
    osc_ = std::make_unique<OscReceiver>(State(), *transport_,
                                         OscReceiver::Hooks{[this] { return SummaryLoaded(); },
                                                            [this] { emit showPlayPosition(); }});
    runtime_->Start();
}

EditorSession::~EditorSession()
{
    Document().RemoveObserver(*this);
    if (!runtime_->Closed())
        runtime_->Close();
}

void EditorSession::SetLightLatency(int32_t ms)
{
    optionSettings_.LightLatency = ClampLightLatency(ms);
    runtime_->Play().LightLatency = optionSettings_.LightLatency;
}

bool EditorSession::StartOsc()
{
    if (!oscServer_) {
        oscServer_ = new QUdpSocket(this);
        connect(oscServer_, &QUdpSocket::readyRead, this, &EditorSession::ReadOscDatagrams);
    }
    // A port that cannot be bound leaves OSC off; the program goes on without it.
    return oscServer_->bind(QHostAddress::AnyIPv4, quint16(oscPort_));
}

void EditorSession::SetOscPort(int32_t port)
{
    oscPort_ = port;
    if (oscServer_ && oscServer_->state() != QAbstractSocket::UnconnectedState) {
        oscServer_->close();
        StartOsc();
    }
}

void EditorSession::ReadOscDatagrams()
{
    while (oscServer_->hasPendingDatagrams()) {
        QByteArray datagram(int(oscServer_->pendingDatagramSize()), '\0');
        const qint64 n = oscServer_->readDatagram(datagram.data(), datagram.size());
        if (n < 0)
            continue;
        datagram.resize(int(n));
        HandleOscDatagram(datagram);
    }
}

void EditorSession::HandleOscDatagram(const QByteArray& datagram)
{
    const auto* bytes = reinterpret_cast<const uint8_t*>(datagram.constData());
    if (std::optional<std::string> status = osc_->OscServerUDPRead(std::span(bytes, size_t(datagram.size()))))
        emit oscStatus(Q(*status));
    emit commandDone();
}

void EditorSession::StopForReplace()
{
    // The old show's clock must not run on into the new one and start its sound.
    State().StopClock();
    RequestAndWait(State().StopRequest);
    State().TransportActive = false;
}

int EditorSession::OpenProject(const std::string& path)
{
    prompts_.SetBusy(true);
    emit displayHold(true);
    StopForReplace();
    runtime_->CloseAudio();
    env_->PrjFile = path;

    ProjectData& doc = Document();
    int result = doc.LoadProject(path) >= 1 ? 1 : 0;
    if (result == 0) {
        if (env_->PrjFile.empty()) {
            // A new show: patched straight through, no waveform, and its settings asked for.
            doc.SetNewShowPatch();
            Sound().ClearSummary();
            State().SoundLoaded = false;
            State().SetSoundPath({});
            prompts_.SetBusy(false);
            prompts_.RunProjectSettings();
            prompts_.SetBusy(true);
        }
    } else {
        LoadSoundFor(path);
    }
    opened_ = true;
    edit_->ClearCurrentStep();
    emit titleChanged(WindowTitle());
    emit showReplaced();
    prompts_.SetBusy(false);
    emit displayHold(false);
    emit commandDone();
    return result;
}

void EditorSession::LoadSoundFor(const std::string& projectPath)
{
    ProjectData& doc = Document();
    const std::string waveformFile = WithExtension(projectPath, ".wfm");
    std::string sound = Utf16ToUtf8(doc.SoundFile);
    ResolvePath(sound);
    std::error_code ec;
    const bool exists = !sound.empty() && std::filesystem::is_regular_file(sound, ec);
    if (exists) {
        const double t = SoundFileTime(sound);
        if (t != doc.SoundFileTime) {
            if (Sound().BuildSummary(sound) > 0) {
                doc.SetSoundFileTime(t);
                Sound().SaveSummary(waveformFile);
                Save();
            }
        } else {
            Sound().LoadSummary(waveformFile);
        }
        runtime_->OpenAudio(sound);
    } else {
        runtime_->OpenAudio({});
        State().Play.PlayPosition = -State().Play.PrePlayTime;
    }
}

void EditorSession::ApplyProjectSettings(const ProjectSettingsValues& values)
{
    ProjectData& doc = Document();
    doc.SetPlayTimes(values.PrePlayTime, values.PostPlayTime);
    prompts_.SetBusy(true);
    if (values.SoundChanged) {
        std::string sound = values.SoundFile;
        if (ResolvePath(sound)) {
            runtime_->CloseAudio();
            if (Sound().BuildSummary(sound) > 0) {
                doc.SetSoundPath(sound);
                doc.SetSoundFileTime(SoundFileTime(sound));
                if (!doc.FileName.empty())
                    Sound().SaveSummary(WithExtension(doc.FileName, ".wfm"));
                runtime_->OpenAudio(sound);
            }
        }
        doc.MarkModified();
    }
    if (values.TitleChanged) {
        doc.SetTitle(Utf8ToUtf16(values.Title));
        doc.MarkModified();
        emit titleChanged(WindowTitle());
    }
    const PlayGlobals& play = State().Play;
    const int64_t total = int64_t(play.PrePlayTime) + play.SoundDuration + play.PostPlayTime;
    State().TotalLength = int32_t(std::clamp<int64_t>(total, INT32_MIN, INT32_MAX));
    prompts_.SetBusy(false);
    emit showReplaced();
    emit commandDone();
}

void EditorSession::ReopenSound() { runtime_->OpenAudio(State().SoundPath()); }

bool EditorSession::Save()
{
    const WriteResult written = Document().SaveProject(false);
    if (!written)
        ShowError(Document().FileName + "\n" + written.error);
    return bool(written);
}

bool EditorSession::SaveAs(const std::string& path)
{
    env_->PrjFile = path;
    Document().FileName = path;
    if (!Save())
        return false;
    Sound().SaveSummary(WithExtension(path, ".wfm"));
    return true;
}

int EditorSession::AskSaveChanges()
{
    ProjectData& doc = Document();
    int answer = 7;
    if (doc.Modified) {
        const std::string name = doc.FileName.empty() ? Untitled : doc.FileName;
        switch (::AskYesNoCancel("[" + name + "] " + SaveQuestion)) {
        case Answer::Yes:
            answer = 6;
            if (!doc.FileName.empty()) {
                // A failed save keeps the show: nothing unsaved may be discarded.
                if (!Save())
                    answer = 2;
            } else {
                const std::string path = prompts_.SaveProjectPath(env_->PrjFile);
                if (path.empty() || !SaveAs(path))
                    answer = 2;
            }
            break;
        case Answer::No:
            answer = 7;
            break;
        case Answer::Cancel:
            answer = 2;
            break;
        }
    }
    if (!doc.FileName.empty())
        env_->History.Add(doc.FileName);
    return answer;
}

void EditorSession::NewProject()
{
    if (AskSaveChanges() != 2)
        OpenProject("");
}

void EditorSession::OpenProjectCommand()
{
    if (AskSaveChanges() == 2)
        return;
    const std::string path = prompts_.OpenProjectPath();
    if (!path.empty())
        OpenProject(path);
}

void EditorSession::SaveProjectCommand()
{
    if (!Document().Modified)
        return;
    if (!Document().FileName.empty())
        Save();
    else
        SaveProjectAs();
    emit commandDone();
}

bool EditorSession::SaveProjectAs()
{
    const std::string path = prompts_.SaveProjectPath(env_->PrjFile);
    const bool saved = !path.empty() && SaveAs(path);
    emit commandDone();
    return saved;
}

void EditorSession::OpenRecent(int index)
{
    const std::string path = env_->History.Get(index);
    if (path.empty() || AskSaveChanges() == 2)
        return;
    OpenProject(path);
}

bool EditorSession::OpenProjectAsked(const std::string& path)
{
    if (AskSaveChanges() == 2)
        return false;
    OpenProject(path);
    return true;
}

bool EditorSession::DropFiles(const std::vector<std::string>& paths)
{
    std::vector<std::string> files;
    GetDroppedFiles(paths, files, ".WAV;.MP3;.PRJ");
    if (files.size() != 1) {
        Beep();
        return false;
    }
    const std::string& file = files.front();
    const std::string ext = UpperExtension(file);
    if (ext == ".PRJ") {
        // Like every other way of replacing the show, a drop asks first.
        OpenProjectAsked(file);
        return true;
    }

    if (!IsValidUtf8(file)) {
        // The show keeps its sound's name as UTF-16: a name that is no UTF-8 cannot be kept.
        ShowError("ファイル名に使えない文字が含まれています: " + ValidUtf8(file));
        return false;
    }
    prompts_.SetBusy(true);
    StopForReplace();
    runtime_->CloseAudio();
    State().SetSoundPath(file);
    ProjectData& doc = Document();
    doc.SetSoundPath(file);
    doc.SetSoundFileTime(SoundFileTime(file));
    if (Sound().BuildSummary(file) > 0) {
        if (!env_->PrjFile.empty())
            Sound().SaveSummary(WithExtension(env_->PrjFile, ".wfm"));
        runtime_->OpenAudio(file);
    }
    emit showReplaced();
    prompts_.SetBusy(false);
    emit commandDone();
    return true;
}

void EditorSession::AutoSave()
{
    ProjectData& doc = Document();
    if (!doc.Modified || doc.FileName.empty())
        return;
    emit statusHint("Auto Backup...");
    const WriteResult written = doc.SaveProject(true);
    emit statusHint({});
    if (!written)
        ShowError(doc.FileName + "\n" + written.error);
    emit commandDone();
}

bool EditorSession::Playing() const
{
    return State().AudioState == AudioStateKind::Playing || State().ClockRunning;
}

void EditorSession::ScrubTo(int32_t t)
{
    if (Playing())
        return;
    EngineState& s = State();
    if (t >= 0 && t <= s.Play.SoundDuration) {
        s.PostSeek(t);
    } else {
        s.ClockPosition = t;
        s.Play.PlayPosition = t;
    }
}

void EditorSession::SeekTo(int32_t t)
{
    if (!Playing()) {
        ScrubTo(t);
        return;
    }
    EngineState& s = State();
    s.StopClock();
    RequestAndWait(s.StopRequest);
    SeekAndWait(s, t);
    if (t < 0 || t >= s.Play.SoundDuration) {
        RequestAndWait(s.StopRequest);
        s.StartClock(t);
    } else {
        RequestAndWait(s.RunRequest);
    }
}

QString EditorSession::WindowTitle() const
{
    if (!opened_)
        return "Lumenrill";
    std::string name = Utf16ToUtf8(Document().Title);
    if (name.empty())
        name = env_->PrjFile;
    if (name.empty())
        name = "<" + Untitled + ">";
    return Q("Lumenrill  - " + name);
}

void EditorSession::Close(const std::function<void()>& stopDisplay,
                          const std::function<void()>& writeWindowSettings)
{
    if (oscServer_)
        oscServer_->close();
    runtime_->Close({
        stopDisplay,
        [this] {
            WriteOscPort(*ini_, oscPort_);
            OptionSettings written = optionSettings_;
            written.TxUniverse = runtime_->Artnet() ? runtime_->Artnet()->OutputUniverse.load()
                                                    : optionSettings_.TxUniverse;
            WriteOptionSettings(*ini_, written, runtime_->Play().PrePlayTime, runtime_->Play().PostPlayTime);
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

const TStepRec* EditorSession::CurrentStepRec() const
{
    const TStepList& line = Document().Lines[size_t(std::clamp(Document().CurrentLine.load(), 0, LineCount - 1))];
    const int i = edit_->CurrentStep;
    return i >= 0 && size_t(i) < line.size() ? &line[size_t(i)] : nullptr;
}

void EditorSession::SetCurrentLine(int line, bool clearSelection)
{
    if (!IsValidLine(line))
        return;
    Document().CurrentLine = line;
    edit_->CurrentStep = -1;
    if (clearSelection)
        Document().SetSelection(0, true);
    edit_->AnnounceLine(line);
    edit_->RepaintCanvas();
}

void EditorSession::SetSelection(bool selected, bool allLines) { Document().SetSelection(selected ? 1 : 0, allLines); }

void EditorSession::SelectRange(int a, int b) { Document().SelectRange(a, b); }

void EditorSession::SelectStep(int index, bool alone) { Document().SelectStep(index, alone); }

void EditorSession::SelectSteps(std::span<const StepPos> steps) { Document().SelectSteps(steps); }

void EditorSession::StartDrag(int pressed) { edit_->Dragged = Document().StartDrag(pressed); }

void EditorSession::MoveDragged(int32_t delta, bool keepOrder)
{
    DragSteps& d = edit_->Dragged;
    d.Dragged = Document().MoveSelected(delta, keepOrder, d.Dragged);
    edit_->CurrentStep = d.Dragged;
}

void EditorSession::StretchDragged(int32_t time)
{
    Document().StretchSelected(edit_->Dragged, time);
    edit_->CurrentStep = edit_->Dragged.Dragged;
}

void EditorSession::DragBrightness(int32_t brightness) { Document().DragBrightness(edit_->Dragged.Dragged, brightness); }

void EditorSession::EndTimeDrag(std::optional<int32_t> dropAt)
{
    DragSteps& d = edit_->Dragged;
    d.Dragged = Document().EndTimeDrag(d.Dragged, dropAt);
    edit_->CurrentStep = d.Dragged;
}

void EditorSession::EndBrightnessDrag(int32_t brightness)
{
    Document().SetStepBrightness(edit_->Dragged.Dragged, brightness);
}

void EditorSession::WheelBrightness(int32_t delta) { Document().WheelBrightness(edit_->CurrentStep, delta); }

void EditorSession::SetCurrentBrightness(int32_t brightness)
{
    Document().SetStepBrightness(edit_->CurrentStep, brightness, edit_->UpdateLock == 0);
}

void EditorSession::ZeroBrightness() { Document().ZeroBrightness(edit_->CurrentStep); }

void EditorSession::PaintColor(uint32_t color, bool withUndo)
{
    Document().PaintColor(edit_->CurrentStep, color, withUndo);
}

bool EditorSession::CanAddStep() const
{
    const TStepRec* current = CurrentStepRec();
    return SummaryLoaded() && State().Play.PlayPosition != (current ? current->Time : 0);
}

bool EditorSession::CanEditSteps() const { return CurrentStepRec() || Document().CountSelectedAll() > 0; }

void EditorSession::AddStepCommand(int32_t cursorTime)
{
    // The press that may follow the dialog must not start a drag.
    edit_->IgnoreStepPress = true;
    const std::optional<uint32_t> color = AskStepColor(Caption::AddStep, 0);
    if (color)
        Document().AddStep(*color, 0, cursorTime, 0, true);
    edit_->RepaintCanvas();
    emit commandDone();
}

void EditorSession::PropStepCommand(int32_t cursorTime)
{
    const TStepRec* current = CurrentStepRec();
    if (!current && Document().CountSelectedAll() == 0) {
        AddStepCommand(cursorTime);
        return;
    }
    const std::optional<uint32_t> color = AskStepColor(Caption::PropStep, current ? current->Color : 0);
    if (color)
        Document().ColorSteps(edit_->CurrentStep, *color);
    edit_->RepaintCanvas();
    emit commandDone();
}

std::optional<uint32_t> EditorSession::AskStepColor(const char* caption, uint32_t color)
{
    std::optional<uint32_t> chosen = prompts_.StepColor(WithoutAccessKeys(caption), color);
    // The lights show the dialog's colour only while it is open.
    State().PreviewColor = NoColor;
    return chosen;
}

void EditorSession::TimeStepCommand()
{
    const ProjectData& doc = Document();
    const TStepRec* current = CurrentStepRec();
    std::optional<int32_t> start;
    if (current) {
        start = current->Time;
    } else {
        for (const TStepList& line : doc.Lines)
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
    const StepTimeResult r = Document().SetStepTime(edit_->CurrentStep, int32_t(*time));
    if (r.Refused)
        Beep();
    else
        edit_->CurrentStep = r.Current;
    edit_->RepaintCanvas();
    emit commandDone();
}

void EditorSession::CutStepCommand()
{
    edit_->ClearCurrentStep();
    Document().CopySelected(true);
    Document().SetSelection(0, true);
    edit_->RepaintCanvas();
}

void EditorSession::CopyStepCommand()
{
    Document().CopySelected(false);
    Document().SetSelection(0, true);
    edit_->RepaintCanvas();
}

void EditorSession::PasteStepCommand()
{
    Document().PasteSteps(State().Play.PlayPosition);
    edit_->RepaintCanvas();
}

void EditorSession::SelectAllCommand()
{
    Document().SetSelection(1, false);
    edit_->RepaintCanvas();
    edit_->ShowStatus(3, SelectionAllText(Document()));
}

void EditorSession::AddBlankStepCommand(int32_t cursorTime)
{
    Document().AddEmptyStep(cursorTime);
    edit_->RepaintCanvas();
}

void EditorSession::DeleteStepCommand()
{
    edit_->ClearCurrentStep();
    Document().DeleteSelectedAll();
    edit_->RepaintCanvas();
    edit_->ShowStatus(3, {});
}

void EditorSession::DeleteAllStepsCommand()
{
    if (!ConfirmYesNo(Msg::ConfirmDelete))
        return;
    edit_->ClearCurrentStep();
    Document().DeleteAllSteps();
    edit_->RepaintCanvas();
}

void EditorSession::MoveToCursorCommand()
{
    if (!CurrentStepRec()) {
        edit_->CurrentStep = -1;
        return;
    }
    edit_->CurrentStep = Document().MoveStepToCursor(edit_->CurrentStep);
    edit_->RepaintCanvas();
}

void EditorSession::UndoCommand()
{
    prompts_.SetBusy(true);
    Document().Undo();
    edit_->RepaintCanvas();
    prompts_.SetBusy(false);
}

void EditorSession::BrightnessStepCommand(bool up)
{
    if (!CurrentStepRec()) {
        edit_->CurrentStep = -1;
        return;
    }
    if (up ? Document().BrightnessUp(edit_->CurrentStep) : Document().BrightnessDown(edit_->CurrentStep)) {
        edit_->RepaintCanvas();
        edit_->RefreshColourLabels();
    }
}

std::optional<int32_t> EditorSession::StepToNeighbour(bool next)
{
    const ProjectData& doc = Document();
    const int count = int(doc.Lines[size_t(std::clamp(doc.CurrentLine.load(), 0, LineCount - 1))].size());
    int index = edit_->CurrentStep;
    if (next) {
        if (count == 0)
            return std::nullopt;
        index = index < 0 ? 0 : std::min(index + 1, count - 1);
    } else {
        if (index <= 0)
            return std::nullopt;
        index = std::min(index - 1, count - 1);
    }
    edit_->SetCurrentStep(index);
    const TStepRec* step = CurrentStepRec();
    if (step) {
        const StepPos only[] = {{doc.CurrentLine.load(), index}};
        Document().SelectOnly(only);
    } else {
        Document().SetSelection(0, true);
    }
    edit_->RepaintCanvas();
    return step ? std::optional(step->Time) : std::nullopt;
}

void EditorSession::CopyFromLineCommand()
{
    ProjectData& doc = Document();
    const int target = std::clamp(doc.CurrentLine.load(), 0, LineCount - 1);
    if (!doc.Lines[size_t(target)].empty() && !ConfirmYesNo(Msg::ConfirmOverwrite))
        return;
    const std::optional<std::string> text = prompts_.InputText(Msg::CopyLineTitle, Msg::CopyLinePrompt);
    if (!text)
        return;
    bool ok = false;
    const int line = QString::fromStdString(*text).trimmed().toInt(&ok);
    if (!ok || line < 1 || line > LineCount)
        return;
    doc.PushUndo();
    doc.CopyFromLine(line - 1, target);
    edit_->RepaintCanvas();
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
    Document().LoadGroup(path, State().Play.PlayPosition);
    prompts_.SetBusy(false);
    edit_->RepaintCanvas();
    edit_->ShowStatus(3, SelectionAllText(Document()));
}

void EditorSession::CutMultiCommand()
{
    edit_->ClearCurrentStep();
    Document().CopySelectedAll(true);
    Document().SetSelection(0, true);
    edit_->RepaintCanvas();
    edit_->ShowStatus(3, {});
}

void EditorSession::CopyMultiCommand()
{
    Document().CopySelectedAll(false);
    Document().SetSelection(0, true);
    edit_->RepaintCanvas();
    edit_->ShowStatus(3, {});
}

void EditorSession::PasteMultiCommand()
{
    Document().PasteStepsAll(State().Play.PlayPosition);
    edit_->RepaintCanvas();
}

void EditorSession::SelectAllMultiCommand()
{
    Document().SetSelection(1, true);
    edit_->RepaintCanvas();
}

void EditorSession::AlignMultiCommand()
{
    Document().AlignSelected();
    edit_->RepaintCanvas();
}

void EditorSession::StretchMultiCommand(bool time)
{
    const std::string caption = time ? Msg::StretchTimeTitle : Msg::StretchBrightnessTitle;
    const std::string prompt = std::string(Msg::Factor) + (time ? " (-10.0 .. +10.0)" : " (-4.0 .. +4.0)");
    const std::optional<std::string> text = prompts_.InputText(caption, prompt);
    if (text && !text->empty()) {
        bool ok = false;
        double factor = QString::fromStdString(*text).trimmed().toDouble(&ok);
        if (!ok)
            factor = 99; // out of range
        if (std::abs(factor) <= (time ? 10.0 : 4.0)) {
            if (time)
                Document().StretchTime(factor);
            else
                Document().StretchBrightness(factor);
        }
    }
    edit_->RepaintCanvas();
}
