#include "editor/show_files.h"

#include "common/messages.h"
#include "common/paths.h"
#include "common/text_codec.h"
#include "document/sound_file_name.h"
#include "sound/sound_file_time.h"
#include "common/data_files.h"
#include "common/string_table.h"
#include "document/demo_show.h"

#include <algorithm>
#include <filesystem>

namespace {

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

} // namespace

ShowFiles::ShowFiles(ShowRuntime& runtime, EnvData& env, SessionPrompts& prompts, QObject* parent)
    : QObject(parent), runtime_(runtime), env_(env), prompts_(prompts)
{
}

void ShowFiles::StopForReplace()
{
    // The old show's clock must not run on into the new one and start its sound.
    EngineState& s = runtime_.State();
    s.StopClock();
    RequestAndWait(s.StopRequest);
    s.TransportActive = false;
}

void ShowFiles::BeginReplace()
{
    prompts_.SetBusy(true);
    emit displayHold(true);
    StopForReplace();
    runtime_.CloseAudio();
}

void ShowFiles::EndReplace()
{
    opened_ = true;
    emit titleChanged(WindowTitle());
    emit showReplaced();
    prompts_.SetBusy(false);
    emit displayHold(false);
    emit commandDone();
}

bool ShowFiles::OpenRecovered(const std::string& copyPath, const std::string& showPath)
{
    BeginReplace();
    ProjectData& doc = Document();
    const bool read = doc.LoadProject(copyPath) >= 1;
    if (read) {
        doc.FileName = showPath;
        env_.PrjFile = showPath;
        // The waveform cache belongs beside the show; the show's own file stays as it is.
        LoadSoundFor(showPath.empty() ? copyPath : showPath, false);
        doc.MarkModified();
    }
    EndReplace();
    return read;
}

bool ShowFiles::OpenProject(const std::string& path)
{
    BeginReplace();
    env_.PrjFile = path;

    ProjectData& doc = Document();
    const bool read = doc.LoadProject(path) >= 1;
    if (read) {
        LoadSoundFor(path);
    } else if (env_.PrjFile.empty()) {
        // A new show: patched straight through, no waveform, and its settings asked for.
        doc.SetNewShowPatch();
        runtime_.Sound().ClearSummary();
        runtime_.State().SoundLoaded = false;
        runtime_.State().SetSoundPath({});
        prompts_.SetBusy(false);
        prompts_.RunProjectSettings();
        prompts_.SetBusy(true);
    }
    EndReplace();
    return read;
}

void ShowFiles::LoadSoundFor(const std::string& projectPath, bool mayRewrite)
{
    ProjectData& doc = Document();
    WavSound& sound = runtime_.Sound();
    const std::string waveformFile = WithExtension(projectPath, ".wfm");
    std::string path = Utf16ToUtf8(doc.SoundFile);
    ResolvePath(path);
    std::error_code ec;
    if (path.empty() || !std::filesystem::is_regular_file(path, ec)) {
        // A show whose sound is missing shows no waveform, not the one of the show before.
        sound.ClearSummary();
        runtime_.OpenAudio({});
        runtime_.State().Play.PlayPosition = -runtime_.State().Play.PrePlayTime;
        return;
    }
    const double t = SoundFileTime(path);
    if (t != doc.SoundFileTime) {
        if (sound.BuildSummary(path) > 0) {
            doc.SetSoundFileTime(t);
            sound.SaveSummary(waveformFile);
            if (mayRewrite)
                Save();
        }
    } else if (sound.LoadSummary(waveformFile) <= 0) {
        // The cache beside the show is gone: the sound gives the summary again.
        if (sound.BuildSummary(path) > 0)
            sound.SaveSummary(waveformFile);
        else
            sound.ClearSummary();
    }
    runtime_.OpenAudio(path);
}

bool ShowFiles::TakeSound(const std::string& path)
{
    // Read first: a sound that cannot be used leaves the show, its sound and its waveform
    // as they were (its reason, with the file's name, already said).
    WavSound checked;
    const int frames = checked.BuildSummary(path);
    if (frames == 0)
        ShowError(path + "\n" + Translated("Core", Msg::SilentSound));
    if (frames <= 0)
        return false;
    StopForReplace();
    runtime_.CloseAudio();
    runtime_.Sound() = std::move(checked);
    runtime_.State().SetSoundPath(path);
    ProjectData& doc = Document();
    doc.SetSoundPath(path);
    doc.SetSoundFileTime(SoundFileTime(path));
    if (!doc.FileName.empty())
        runtime_.Sound().SaveSummary(WithExtension(doc.FileName, ".wfm"));
    runtime_.OpenAudio(path);
    return true;
}

void ShowFiles::ApplySoundAndTitle(const ProjectSettingsValues& values)
{
    ProjectData& doc = Document();
    prompts_.SetBusy(true);
    if (values.SoundChanged) {
        std::string sound = values.SoundFile;
        if (ResolvePath(sound) && TakeSound(sound))
            doc.MarkModified();
    }
    if (values.TitleChanged) {
        doc.SetTitle(Utf8ToUtf16(values.Title));
        doc.MarkModified();
        emit titleChanged(WindowTitle());
    }
    EngineState& s = runtime_.State();
    const int64_t total = int64_t(s.Play.PrePlayTime) + s.Play.SoundDuration + s.Play.PostPlayTime;
    s.TotalLength = int32_t(std::clamp<int64_t>(total, INT32_MIN, INT32_MAX));
    prompts_.SetBusy(false);
    emit showReplaced();
    emit commandDone();
}

void ShowFiles::ReopenSound() { runtime_.OpenAudio(runtime_.State().SoundPath()); }

bool ShowFiles::Save()
{
    const WriteResult written = Document().SaveProject(false);
    if (!written)
        ShowError(Document().FileName + "\n" + written.error);
    return bool(written);
}

bool ShowFiles::SaveAs(const std::string& path)
{
    // The show takes the new name only once it is saved under it: a failed save leaves
    // Ctrl+S and the recent list with the name that works.
    const std::string before = Document().FileName;
    Document().FileName = path;
    if (!Save()) {
        Document().FileName = before;
        return false;
    }
    env_.PrjFile = path;
    runtime_.Sound().SaveSummary(WithExtension(path, ".wfm"));
    return true;
}

SaveAnswer ShowFiles::AskSaveChanges()
{
    ProjectData& doc = Document();
    SaveAnswer answer = SaveAnswer::No;
    if (doc.Modified) {
        const std::string name = doc.FileName.empty() ? Translated("Core", Msg::Untitled) : doc.FileName;
        switch (::AskYesNoCancel("[" + name + "] " + Translated("Core", Msg::SaveChanges))) {
        case Answer::Yes:
            answer = SaveAnswer::Yes;
            if (!doc.FileName.empty()) {
                // A failed save keeps the show: nothing unsaved may be discarded.
                if (!Save())
                    answer = SaveAnswer::Cancel;
            } else {
                const std::string path = prompts_.SaveProjectPath(env_.PrjFile);
                if (path.empty() || !SaveAs(path))
                    answer = SaveAnswer::Cancel;
            }
            break;
        case Answer::No:
            break;
        case Answer::Cancel:
            answer = SaveAnswer::Cancel;
            break;
        }
    }
    RememberShow();
    return answer;
}

void ShowFiles::RememberShow()
{
    if (!Document().FileName.empty())
        env_.History.Add(Document().FileName);
}

void ShowFiles::NewProject()
{
    if (AskSaveChanges() != SaveAnswer::Cancel)
        OpenProject("");
}

void ShowFiles::OpenProjectCommand()
{
    if (AskSaveChanges() == SaveAnswer::Cancel)
        return;
    const std::string path = prompts_.OpenProjectPath();
    if (!path.empty())
        OpenProject(path);
}

void ShowFiles::SaveProjectCommand()
{
    if (!Document().Modified)
        return;
    if (!Document().FileName.empty())
        Save();
    else
        SaveProjectAs();
    emit commandDone();
}

bool ShowFiles::SaveProjectAs()
{
    const std::string path = prompts_.SaveProjectPath(env_.PrjFile);
    const bool saved = !path.empty() && SaveAs(path);
    emit commandDone();
    return saved;
}

void ShowFiles::OpenRecent(int index)
{
    const std::string path = env_.History.Get(index);
    if (path.empty() || AskSaveChanges() == SaveAnswer::Cancel)
        return;
    OpenProject(path);
}

bool ShowFiles::OpenProjectAsked(const std::string& path)
{
    if (AskSaveChanges() == SaveAnswer::Cancel)
        return false;
    OpenProject(path);
    return true;
}

bool ShowFiles::OpenDemo()
{
    const DemoCopy demo = CopyDemoShow(DemoShowPath(), DemoFolder());
    if (demo.Show.empty()) {
        ShowError(demo.Error);
        return false;
    }
    return OpenProjectAsked(demo.Show);
}

bool ShowFiles::DropFiles(const std::vector<std::string>& paths)
{
    std::vector<std::string> files;
    GetDroppedFiles(paths, files, ".WAV;.MP3;.PRJ");
    if (files.size() != 1) {
        Beep();
        return false;
    }
    const std::string& file = files.front();
    if (UpperExtension(file) == ".PRJ") {
        // Like every other way of replacing the show, a drop asks first.
        OpenProjectAsked(file);
        return true;
    }

    // A name the show cannot keep (not UTF-8, or too long for the project file) is
    // refused before anything changes.
    if (const std::string refusal = SoundFileRefusal(file); !refusal.empty()) {
        ShowError(refusal);
        return false;
    }
    prompts_.SetBusy(true);
    const bool taken = TakeSound(file);
    if (taken)
        emit showReplaced();
    prompts_.SetBusy(false);
    emit commandDone();
    return taken;
}

void ShowFiles::AutoSave()
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

QString ShowFiles::WindowTitle() const
{
    if (!opened_)
        return "Lumenrill";
    std::string name = Utf16ToUtf8(runtime_.Document().Title);
    if (name.empty())
        name = env_.PrjFile;
    if (name.empty())
        name = "<" + Translated("Core", Msg::Untitled) + ">";
    return QString::fromStdString("Lumenrill  - " + name);
}
