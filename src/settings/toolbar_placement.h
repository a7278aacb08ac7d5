#pragma once
// Position, docking and visibility of the main window's toolbars, one section each
// ([Tool1] to [Tool4]).

#include "settings/ini_file.h"
#include "settings/window_placement.h"

#include <string>

// ToolBar1 (file), ToolBar2 (edit), ToolBar3 (player), ToolBar4 (colour palette).
inline constexpr int ToolBarCount = 4;
// The section of toolbar n, 1 to 4 ("Tool1").
inline std::string ToolBarSection(int n) { return "Tool" + std::to_string(n); }

struct ToolBarPlacement {
    bool Visible = true;
    bool Floating = false;
    // Floating: the screen position and client size of the toolbar's own window,
    // stored as the rectangle FltLeft, FltTop, FltRight, FltBottom.
    WindowRect FloatWindow{100, 100, 100, 100};
    // Docked: the position in the control bar.
    int32_t DockTop = 0;
    int32_t DockLeft = 0;
};

// Docked placements default to the toolbar's current position.
ToolBarPlacement LoadToolBar(const IniFile& ini, const std::string& section, int32_t currentTop,
                             int32_t currentLeft);
void StoreToolBar(IniFile& ini, const std::string& section, const ToolBarPlacement& placement);
