#include "settings/env_data.h"

#include "common/output_volume.h"
#include "common/paths.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

std::string SettingsFilePath(const std::string& exeDir)
{
    std::string path = exeDir;
    if (path.empty() || path.back() != '/')
        path += '/';
    return path + "lumenrill.INI";
}

std::string ChooseSettingsPath(const std::string& exeDir, std::string configHome, bool makeFolder)
{
    const std::string portable = SettingsFilePath(exeDir);
    std::error_code ec;
    if (std::filesystem::exists(portable, ec))
        return portable;
    if (configHome.empty())
        configHome = UserFolder("XDG_CONFIG_HOME", ".config");
    const std::string folder = configHome + "/lumenrill";
    if (makeFolder)
        std::filesystem::create_directories(folder, ec);
    return folder + "/lumenrill.INI";
}

namespace {

uint32_t ReadColor(const IniFile& ini, const char* key, uint32_t def)
{
    return uint32_t(ini.ReadInteger("Color", key, int32_t(def)));
}

void WriteColor(IniFile& ini, const char* key, uint32_t color) { ini.WriteInteger("Color", key, int32_t(color)); }

} // namespace

EnvData::EnvData(IniFile& settings, PlayGlobals& play, std::string exeDir, PaletteImageLoader* loader)
    : ExeDir(std::move(exeDir)), Repeat(play.Repeat), CheckGroup(play.CheckGroup), settings_(settings),
      loader_(loader)
{
    if (ExeDir.empty() || ExeDir.back() != '/')
        ExeDir += '/';
    const IniFile& ini = settings_;

    FlatToolBar = ini.ReadBool("General", "FlatToolBar", FlatToolBar);
    DispTracking = ini.ReadBool("General", "DispTracking", DispTracking);
    MonClickTab = ini.ReadBool("General", "MonClickTab", MonClickTab);
    UseWheel = ini.ReadBool("General", "UseWheel", UseWheel);
    CurActivate = ini.ReadBool("General", "CurActivate", CurActivate);
    MonScaled = ini.ReadBool("General", "MonScaled", MonScaled);
    AutoSave = ini.ReadBool("General", "AutoSave", AutoSave);
    SaveInterval = ini.ReadInteger("General", "SaveInterval", SaveInterval);

    PrjFile = ini.ReadString("Project", "PrjFile", "");

    LwavFg = ReadColor(ini, "LwavFg", LwavFg);
    LwavBg = ReadColor(ini, "LwavBg", LwavBg);
    RwavFg = ReadColor(ini, "RwavFg", RwavFg);
    RwavBg = ReadColor(ini, "RwavBg", RwavBg);
    BlankBg = ReadColor(ini, "BlankBg", BlankBg);
    TLinFg = ReadColor(ini, "TLinFg", TLinFg);
    TLinBg = ReadColor(ini, "TLinBg", TLinBg);
    CLinBg = ReadColor(ini, "CLinBg", CLinBg);

    ImgFile = ini.ReadString("Palette", "ImgFile", ExeDir + "PALETTE.BMP");
    DispSize = uint32_t(ini.ReadInteger("Palette", "DispSize", int32_t(DispSize)));

    Repeat = ini.ReadBool("Play", "Repeat", false);
    // The volume is one 16-bit channel value; anything outside is held to its range.
    Volume = uint32_t(std::clamp(ini.ReadInteger("Play", "Volume", 65535), 0, 65535));

    LoadPalette(ImgFile);
    StartVolume = ReadWaveOutVolume();
    WriteWaveOutVolume(uint16_t(Volume));
    History.Load(ini, "PrjHistory");
    CheckGroup = CheckGroupOff;
}

EnvData::~EnvData() { WriteWaveOutVolume(uint16_t(StartVolume)); }

std::optional<int64_t> EnvData::AutoSaveIntervalMs() const
{
    if (!AutoSave || SaveInterval <= 0)
        return std::nullopt;
    return int64_t(SaveInterval) * 60 * 1000;
}

bool EnvData::LoadPalette(const std::string& fileName)
{
    PaletteImage = {};
    std::string path = NativeSeparators(fileName);
    if (path.empty() || path.front() != '/')
        path = ExeDir + path;
    std::error_code ec;
    if (!loader_ || !std::filesystem::is_regular_file(path, ec))
        return false;
    PaletteBitmap image;
    // A decoder's result is used only when its pixels fill its size.
    if (!loader_->Load(path, image) || image.Empty() ||
        image.Pixels.size() != size_t(image.Width) * size_t(image.Height))
        return false;
    PaletteImage = std::move(image);
    return true;
}

std::string EnvData::ImgFileSetting(const std::string& path) const
{
    const size_t slash = path.find_last_of('/');
    if (slash != std::string::npos && path.substr(0, slash + 1) == ExeDir)
        return path.substr(slash + 1);
    return path;
}

WriteResult EnvData::Save()
{
    IniFile& ini = settings_;
    ini.WriteBool("General", "FlatToolBar", FlatToolBar);
    ini.WriteBool("General", "DispTracking", DispTracking);
    ini.WriteBool("General", "MonClickTab", MonClickTab);
    ini.WriteBool("General", "UseWheel", UseWheel);
    ini.WriteBool("General", "CurActivate", CurActivate);
    ini.WriteBool("General", "MonScaled", MonScaled);
    ini.WriteBool("General", "AutoSave", AutoSave);
    ini.WriteInteger("General", "SaveInterval", SaveInterval);

    ini.WriteString("Project", "PrjFile", PrjFile);

    WriteColor(ini, "LwavFg", LwavFg);
    WriteColor(ini, "LwavBg", LwavBg);
    WriteColor(ini, "RwavFg", RwavFg);
    WriteColor(ini, "RwavBg", RwavBg);
    WriteColor(ini, "BlankBg", BlankBg);
    WriteColor(ini, "TLinFg", TLinFg);
    WriteColor(ini, "TLinBg", TLinBg);
    WriteColor(ini, "CLinBg", CLinBg);

    ini.WriteString("Palette", "ImgFile", ImgFile);
    ini.WriteInteger("Palette", "DispSize", int32_t(DispSize));

    ini.WriteBool("Play", "Repeat", Repeat);
    Volume = ReadWaveOutVolume();
    ini.WriteInteger("Play", "Volume", int32_t(Volume));

    History.Save(ini, "PrjHistory");
    return ini.UpdateFile();
}
