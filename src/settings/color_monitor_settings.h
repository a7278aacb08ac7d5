#pragma once
// The colour monitor's arrangement: the monitor window ([ColMonForm]) and its eight
// tiles ([ColMon1] to [ColMon8]), in the settings file and in arrangement files (*.ARG),
// which hold the same sections without ViewMonLabel.

#include "settings/ini_file.h"
#include "settings/window_defaults.h"

#include <array>

struct ColMonTilePlacement {
    WindowRect Bounds;
    bool Visible = true;
};

struct ColMonArrangement {
    WindowRect Bounds;                      // the monitor's normal bounds
    WindowState State = WindowState::Normal;
    std::array<ColMonTilePlacement, ColMonTileCount> Tiles; // tile i shows line i + 1
};

// Missing keys give the defaults: the monitor 200 pixels right of and below the main
// window's top left corner, 480 x 320, normal; the tiles in their initial arrangement,
// visible. Positions beyond 16777215 either way and sizes above it read as that limit.
ColMonArrangement ReadColMonArrangement(const IniFile& ini, int32_t mainLeft, int32_t mainTop);
// The monitor's section first, then the tiles'.
void WriteColMonArrangement(IniFile& ini, const ColMonArrangement& arrangement);

// Whether the tiles show their labels ([ColMonForm] ViewMonLabel, settings file only).
bool ReadViewMonLabel(const IniFile& ini);
void WriteViewMonLabel(IniFile& ini, bool visible);
