#include "document/demo_show.h"

#include "common/paths.h"
#include "common/text_codec.h"
#include "common/translation.h"
#include "document/play_globals.h"
#include "document/project_data.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

DemoCopy Failure(const std::string& text) { return {{}, text}; }

// Copies from to to unless a file is already there.
bool CopyOnce(const fs::path& from, const fs::path& to, std::error_code& ec)
{
    if (fs::exists(to, ec))
        return true;
    return fs::copy_file(from, to, ec);
}

} // namespace

DemoCopy CopyDemoShow(const std::string& installedShow, const std::string& folder)
{
    if (installedShow.empty() || !IsFile(installedShow))
        return Failure(Translated("Core", "デモショーがインストールされていません"));
    PlayGlobals play;
    ProjectData installed(play);
    if (installed.LoadProject(installedShow) == 0)
        return Failure(WithArgument(Translated("Core", "デモショーを読み込めません: %1"), installedShow));
    const fs::path sound = fs::path(installedShow).parent_path() / fs::path(Utf16ToUtf8(installed.SoundFile)).filename();
    const fs::path show = fs::path(folder) / fs::path(installedShow).filename();
    const fs::path soundCopy = fs::path(folder) / sound.filename();
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (!CopyOnce(sound, soundCopy, ec) || !CopyOnce(installedShow, show, ec))
        return Failure(WithArgument(Translated("Core", "デモショーをコピーできません: %1"), folder) + " (" +
                       ec.message() + ")");
    // The installed show names its sound by a bare name, which the program would look for
    // beside itself: the copy is pointed at the sound beside it (once, or again when a
    // copy was left half made).
    ProjectData copy(play);
    if (copy.LoadProject(show.string()) == 0)
        return Failure(WithArgument(Translated("Core", "デモショーを読み込めません: %1"), show.string()));
    if (std::string stored = Utf16ToUtf8(copy.SoundFile); !ResolvePath(stored)) {
        copy.SetSoundPath(soundCopy.string());
        if (const WriteResult written = copy.SaveProject(false); !written)
            return Failure(show.string() + "\n" + written.error);
    }
    return {show.string(), {}};
}

std::string DemoFolder() { return UserFolder("XDG_DATA_HOME", ".local/share") + "/lumenrill/demo"; }
