#include "settings/main_window_settings.h"

#include "document/play_globals.h"

#include <algorithm>

int32_t ReadOscPort(const IniFile& ini) { return ini.ReadInteger("OSC", "LocalPort", 9901); }

void WriteOscPort(IniFile& ini, int32_t port) { ini.WriteInteger("OSC", "LocalPort", port); }

OscListSettings ReadOscLists(const IniFile& ini)
{
    return {ini.ReadString("OSC", "FeedbackTargets", ""), ini.ReadString("OSC", "AllowFrom", "")};
}

void WriteOscLists(IniFile& ini, const OscListSettings& lists)
{
    ini.WriteString("OSC", "FeedbackTargets", lists.FeedbackTargets);
    ini.WriteString("OSC", "AllowFrom", lists.AllowFrom);
}

OptionSettings ReadOptionSettings(const IniFile& ini)
{
    OptionSettings o;
    o.DmxInterval = ini.ReadInteger("Option", "DmxInterval", o.DmxInterval);
    // A display timer of 0 ms or less would spin or never run.
    const int32_t disp = ini.ReadInteger("Option", "DispInterval", o.DispInterval);
    if (disp >= 1)
        o.DispInterval = disp;
    // Net 0-127, sub-net and universe 0-15: anything else names no Art-Net port.
    if (const int32_t universe = ini.ReadInteger("Option", "TxUniverse", o.TxUniverse);
        universe >= 0 && universe <= 0x7FFF)
        o.TxUniverse = universe;
    else
        o.RefusedTxUniverse = universe;
    o.LightLatency = ClampLightLatency(ini.ReadInteger("Option", "LightLatency", o.LightLatency));
    if (const std::string language = ini.ReadString("Option", "Language", o.Language);
        language == "ja" || language == "en")
        o.Language = language;
    return o;
}

void WriteOptionSettings(IniFile& ini, const OptionSettings& options, int32_t prePlayTimeMs,
                         int32_t postPlayTimeMs)
{
    ini.WriteInteger("Option", "DmxInterval", options.DmxInterval);
    ini.WriteInteger("Option", "DispInterval", options.DispInterval);
    ini.WriteInteger("Option", "PrePlayTime", prePlayTimeMs / 1000);
    ini.WriteInteger("Option", "PostPlayTime", postPlayTimeMs / 1000);
    ini.WriteInteger("Option", "TxUniverse", options.TxUniverse);
    ini.WriteInteger("Option", "LightLatency", options.LightLatency);
    ini.WriteString("Option", "Language", options.Language);
}

MainViewSettings ReadMainViewSettings(const IniFile& ini)
{
    MainViewSettings v;
    v.DispMonoWav = ini.ReadBool("General", "DispMonoWav", v.DispMonoWav);
    v.WavLRHeight = ini.ReadInteger("General", "WavLRHeight", v.WavLRHeight);
    v.ViewRefTrack = ini.ReadBool("General", "ViewRefTrack", v.ViewRefTrack);
    // The view shows all lines (-2) or one line; any other mode would name no line.
    const int32_t mode = ini.ReadInteger("General", "RefTrack", v.RefTrack);
    if (mode == -2 || (mode >= 0 && mode <= 7))
        v.RefTrack = mode;
    v.RefTrackHi = std::max(ini.ReadInteger("General", "RefTrackHi", v.RefTrackHi), int32_t(30));
    v.ViewColMon = ini.ReadBool("General", "ViewColMon", v.ViewColMon);
    return v;
}

void WriteMainViewSettings(IniFile& ini, const MainViewSettings& view)
{
    ini.WriteInteger("General", "WavLRHeight", view.WavLRHeight);
    ini.WriteBool("General", "DispMonoWav", view.DispMonoWav);
    ini.WriteBool("General", "ViewRefTrack", view.ViewRefTrack);
    ini.WriteInteger("General", "RefTrack", view.RefTrack);
    ini.WriteInteger("General", "RefTrackHi", view.RefTrackHi);
    ini.WriteBool("General", "ViewColMon", view.ViewColMon);
}

bool ReadStatusBarVisible(const IniFile& ini) { return ini.ReadBool("StatusBar", "Visible", true); }

void WriteStatusBarVisible(IniFile& ini, bool visible) { ini.WriteBool("StatusBar", "Visible", visible); }

std::string ReadToolBarLayout(const IniFile& ini) { return ini.ReadString("General", "ToolBarLayout", ""); }

void WriteToolBarLayout(IniFile& ini, const std::string& layout) { ini.WriteString("General", "ToolBarLayout", layout); }

std::string ReadShortCut(const IniFile& ini, const std::string& actionName)
{
    return ini.ReadString("ShortCut", actionName + "Item", "");
}

void WriteShortCut(IniFile& ini, const std::string& actionName, const std::string& shortCut)
{
    ini.WriteString("ShortCut", actionName + "Item", shortCut);
}
