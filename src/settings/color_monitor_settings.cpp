#include "settings/color_monitor_settings.h"

#include <algorithm>

namespace {

// Window systems keep a rectangle's far edges in an int, found by adding the size to the
// position (and a screen's origin on top): a file that names positions and sizes near the
// int's limits would make them overflow. A window is never larger than this (Qt's largest
// widget), nor placed further out.
constexpr int32_t MaxExtent = 16777215;

WindowRect WithinReach(const WindowRect& r)
{
    return {std::clamp(r.Left, -MaxExtent, MaxExtent), std::clamp(r.Top, -MaxExtent, MaxExtent),
            std::min(r.Width, MaxExtent), std::min(r.Height, MaxExtent)};
}

} // namespace

ColMonArrangement ReadColMonArrangement(const IniFile& ini, int32_t mainLeft, int32_t mainTop)
{
    ColMonArrangement a;
    PlacementB form = LoadPlacementB(ini, ColMonFormName, ColMonFormStyle, ColMonFormDefaults(mainLeft, mainTop), {});
    a.Bounds = WithinReach(form.Bounds);
    a.State = form.State.value_or(WindowState::Normal);
    for (int n = 1; n <= ColMonTileCount; ++n) {
        const std::string section = ColMonTileName(n);
        ColMonTilePlacement& tile = a.Tiles[size_t(n - 1)];
        tile.Bounds = WithinReach(LoadPlacementB(ini, section, ColMonTileStyle, ColMonTileDefaults(n), {}).Bounds);
        tile.Visible = ini.ReadBool(section, "Visible", true);
    }
    return a;
}

void WriteColMonArrangement(IniFile& ini, const ColMonArrangement& arrangement)
{
    StorePlacementB(ini, ColMonFormName, ColMonFormStyle, arrangement.State, arrangement.Bounds);
    for (int n = 1; n <= ColMonTileCount; ++n) {
        const std::string section = ColMonTileName(n);
        const ColMonTilePlacement& tile = arrangement.Tiles[size_t(n - 1)];
        StorePlacementB(ini, section, ColMonTileStyle, WindowState::Normal, tile.Bounds);
        ini.WriteBool(section, "Visible", tile.Visible);
    }
}

bool ReadViewMonLabel(const IniFile& ini) { return ini.ReadBool(ColMonFormName, "ViewMonLabel", true); }

void WriteViewMonLabel(IniFile& ini, bool visible) { ini.WriteBool(ColMonFormName, "ViewMonLabel", visible); }
