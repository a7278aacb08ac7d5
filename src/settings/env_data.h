#pragma once
// EnvData: the program's settings object. Created by the main window right after the
// settings file is opened, it reads its keys at once and writes them back at close
// (Save). It owns the recent-projects list and the user palette image.
//
// Threads: everything here belongs to the user interface thread, except Repeat and
// CheckGroup, which the playback tick reads on the worker thread: they are the play
// globals' own values, which this object refers to.

#include "common/atomic_file.h"
#include "document/play_globals.h"
#include "settings/file_history.h"
#include "settings/ini_file.h"
#include "settings/palette_bitmap.h"

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>

// The settings file: "lumenrill.INI" in the executable's folder.
std::string SettingsFilePath(const std::string& exeDir);
// Where the running program keeps its settings: the file beside the executable when one
// exists there (a portable copy), else lumenrill.INI in configHome/lumenrill (configHome:
// $XDG_CONFIG_HOME, or ~/.config when that is unset or not absolute; empty: from the
// environment). The folder is made when missing (unless makeFolder is false, for a
// reader), so the first close can write the file.
std::string ChooseSettingsPath(const std::string& exeDir, std::string configHome = {}, bool makeFolder = true);

class EnvData {
public:
    // Reads [General], [Project], [Color], [Palette] and [Play] of settings, loads the
    // palette image through loader (none without a loader), applies the stored volume to
    // the program's output volume and loads [PrjHistory]. exeDir is the executable's
    // folder; settings and play must outlive this object. Repeat and CheckGroup are
    // play's, where the tick reads them.
    EnvData(IniFile& settings, PlayGlobals& play, std::string exeDir, PaletteImageLoader* loader = nullptr);
    // Sets the output volume back to StartVolume.
    ~EnvData();
    EnvData(const EnvData&) = delete;
    EnvData& operator=(const EnvData&) = delete;

    std::string ExeDir; // with a trailing '/'
    std::string PrjFile;

    uint32_t LwavFg = 0xC0C0C0;
    uint32_t LwavBg = 0;
    uint32_t RwavFg = 0xC0C0C0;
    uint32_t RwavBg = 0;
    uint32_t BlankBg = 0x800000;
    uint32_t TLinFg = 0;
    uint32_t TLinBg = 0xFFFFFF;
    uint32_t CLinBg = 0;

    bool FlatToolBar = false;
    bool DispTracking = false;
    bool MonClickTab = true;
    bool UseWheel = true;
    bool CurActivate = true;
    bool MonScaled = false;
    std::atomic<bool>& Repeat;

    uint32_t StartVolume = 0; // the output volume found at start (left channel)
    uint32_t Volume = 65535;
    // The group of three DMX channels forced to 255 while the project settings check is
    // on; -1 none. Never stored.
    std::atomic<int32_t>& CheckGroup;

    bool AutoSave = false;
    // Minutes between automatic saves, kept as stored: 0 or below turns automatic saving off.
    int32_t SaveInterval = 10;
    // The period of the automatic save timer in ms, or nothing when automatic saving is off
    // (AutoSave false, or SaveInterval 0 or below). Long intervals exceed 32 bits of ms.
    std::optional<int64_t> AutoSaveIntervalMs() const;

    FileHistory History;
    PaletteBitmap PaletteImage;
    std::string ImgFile; // a bare name (in ExeDir) or a full path
    uint32_t DispSize = 320;

    // Empties PaletteImage, then decodes fileName into it (a relative name is taken from
    // ExeDir). Whether an image was loaded.
    bool LoadPalette(const std::string& fileName);
    // What ImgFile stores for a chosen image file: its bare name when it lies directly
    // in ExeDir, else the path.
    std::string ImgFileSetting(const std::string& path) const;

    // Writes [General], [Project], [Color], [Palette], [Play] (Volume taken from the
    // current output volume) and [PrjHistory], then the whole settings file to disk.
    WriteResult Save();

private:
    IniFile& settings_;
    PaletteImageLoader* loader_;
};
