#include "settings/toolbar_placement.h"

#include <algorithm>
#include <limits>

namespace {

int32_t Saturate(int64_t v)
{
    return int32_t(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

} // namespace

ToolBarPlacement LoadToolBar(const IniFile& ini, const std::string& section, int32_t currentTop,
                             int32_t currentLeft)
{
    ToolBarPlacement p;
    p.Floating = ini.ReadBool(section, "Floating", false);
    if (p.Floating) {
        const int32_t left = ini.ReadInteger(section, "FltLeft", 100);
        const int32_t top = ini.ReadInteger(section, "FltTop", 100);
        const int32_t right = ini.ReadInteger(section, "FltRight", 200);
        const int32_t bottom = ini.ReadInteger(section, "FltBottom", 200);
        p.FloatWindow = {left, top, Saturate(int64_t(right) - left), Saturate(int64_t(bottom) - top)};
        p.DockTop = currentTop;
        p.DockLeft = currentLeft;
    } else {
        p.DockTop = ini.ReadInteger(section, "DockTop", currentTop);
        p.DockLeft = ini.ReadInteger(section, "DockLeft", currentLeft);
    }
    p.Visible = ini.ReadBool(section, "Visible", true);
    return p;
}

void StoreToolBar(IniFile& ini, const std::string& section, const ToolBarPlacement& placement)
{
    ini.WriteBool(section, "Visible", placement.Visible);
    ini.WriteBool(section, "Floating", placement.Floating);
    if (placement.Floating) {
        const WindowRect& w = placement.FloatWindow;
        ini.WriteInteger(section, "FltLeft", w.Left);
        ini.WriteInteger(section, "FltTop", w.Top);
        ini.WriteInteger(section, "FltRight", Saturate(int64_t(w.Left) + w.Width));
        ini.WriteInteger(section, "FltBottom", Saturate(int64_t(w.Top) + w.Height));
    } else {
        ini.WriteInteger(section, "DockTop", placement.DockTop);
        ini.WriteInteger(section, "DockLeft", placement.DockLeft);
    }
}
