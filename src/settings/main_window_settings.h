#pragma once
// The sections the main window reads and writes itself: [OSC], [Option], its view state
// in [General], [StatusBar] and [ShortCut]. Its placement is scheme A (window_placement.h),
// its toolbars toolbar_placement.h.

#include "settings/ini_file.h"

#include <cstdint>
#include <optional>
#include <string>

// [OSC] LocalPort, the UDP port of the OSC server.
int32_t ReadOscPort(const IniFile& ini);
void WriteOscPort(IniFile& ini, int32_t port);
// [OSC] FeedbackTargets ("address:port" items, where the show's state is sent besides the
// command senders) and AllowFrom (addresses and ranges that may send commands; empty:
// anyone), as written.
struct OscListSettings {
    std::string FeedbackTargets;
    std::string AllowFrom;
};
OscListSettings ReadOscLists(const IniFile& ini);
void WriteOscLists(IniFile& ini, const OscListSettings& lists);

// [Option], read at creation.
struct OptionSettings {
    int32_t DmxInterval = 20;  // kept only to be written back
    int32_t DispInterval = 50; // ms between display updates; a stored value below 1 reads as 50
    int32_t TxUniverse = 0;    // Art-Net output Port-Address, 0-32767
    std::optional<int32_t> RefusedTxUniverse{}; // a stored Port-Address out of range, to be said
    int32_t LightLatency = 0;  // ms the lights run ahead of the sound; held to -500..500
    // The window program's language: "auto" (the desktop's), "ja" or "en"; anything else
    // reads as "auto". Read once at start.
    std::string Language = "auto";
};
OptionSettings ReadOptionSettings(const IniFile& ini);
// Also writes the show's lead-in and run-out in whole seconds (for people reading the
// file; they are never read back).
void WriteOptionSettings(IniFile& ini, const OptionSettings& options, int32_t prePlayTimeMs,
                         int32_t postPlayTimeMs);

// [General] view state of the main window, read at first show.
struct MainViewSettings {
    bool DispMonoWav = false;
    int32_t WavLRHeight = 360;
    bool ViewRefTrack = false;
    int32_t RefTrack = 0;    // -2 all lines, 0 to 7 one line; anything else reads as 0
    int32_t RefTrackHi = 80; // at least 30
    bool ViewColMon = false;
};
MainViewSettings ReadMainViewSettings(const IniFile& ini);
void WriteMainViewSettings(IniFile& ini, const MainViewSettings& view);

// [StatusBar] Visible.
bool ReadStatusBarVisible(const IniFile& ini);
void WriteStatusBarVisible(IniFile& ini, bool visible);

// [General] ToolBarLayout: where the tool bars stand as the window last left them (area,
// row, order, floating window), as an opaque text the window makes and reads; empty for
// none. The [Tool1] to [Tool4] sections say the same for people and other readers.
std::string ReadToolBarLayout(const IniFile& ini);
void WriteToolBarLayout(IniFile& ini, const std::string& layout);

// [ShortCut]: the shortcut text of the action named actionName ("UndoAction" is stored
// under UndoActionItem); empty for none.
std::string ReadShortCut(const IniFile& ini, const std::string& actionName);
void WriteShortCut(IniFile& ini, const std::string& actionName, const std::string& shortCut);
