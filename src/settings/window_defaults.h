#pragma once
// The placement key names, styles and defaults of the program's windows. Defaults that
// depend on the main window are given its left and top at the time of loading.

#include "settings/window_placement.h"

#include <string>

// Scheme A: key prefixes in [General].
inline constexpr const char* LurillFormName = "LurillForm";
inline constexpr const char* SelExFormName = "SelExForm";
inline constexpr const char* SetPrjDlgName = "SetPrjDlg";
inline constexpr const char* StpPropDlgName = "StpPropDlg";
inline constexpr const char* StpTimeDlgName = "StpTimeDlg";
// Scheme B: sections.
inline constexpr const char* ColMonFormName = "ColMonForm";
inline constexpr int ColMonTileCount = 8;
// The section of tile n, 1 to 8 ("ColMon1").
inline std::string ColMonTileName(int n) { return "ColMon" + std::to_string(n); }

inline constexpr WindowStyle LurillFormStyle{false, true};
inline constexpr WindowStyle SelExFormStyle{false, true};  // sizeable tool window
inline constexpr WindowStyle SetPrjDlgStyle{true, false};
inline constexpr WindowStyle StpPropDlgStyle{true, false};
inline constexpr WindowStyle StpTimeDlgStyle{false, false}; // tool window: size stored, never loaded
inline constexpr WindowStyle ColMonFormStyle{false, true};
inline constexpr WindowStyle ColMonTileStyle{false, false}; // sizes itself, has no state

inline WindowRect LurillFormDefaults(const ScreenInfo& screen) { return {0, 0, screen.Width, screen.Height}; }
inline WindowRect SelExFormDefaults(int32_t mainLeft, int32_t mainTop) { return {mainLeft + 150, mainTop + 150, 400, 400}; }
// Width and height 0: the size is not loaded.
inline constexpr WindowRect SetPrjDlgDefaults{100, 100, 0, 0};
inline constexpr WindowRect StpPropDlgDefaults{100, 100, 0, 0};
inline constexpr WindowRect StpTimeDlgDefaults{150, 150, 0, 0};
inline WindowRect ColMonFormDefaults(int32_t mainLeft, int32_t mainTop) { return {mainLeft + 200, mainTop + 200, 480, 320}; }
// Tile n (1 to 8) in the initial arrangement: two rows of four, 100 x 100, 10 apart.
inline WindowRect ColMonTileDefaults(int n) { return {(n - 1) % 4 * 110 + 10, (n - 1) / 4 * 110 + 10, 100, 100}; }
