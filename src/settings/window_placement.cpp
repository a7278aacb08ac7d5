#include "settings/window_placement.h"

#include <algorithm>

namespace {

// The stored size, or current where the window does not load its size.
WindowSize LoadSize(const IniFile& ini, const std::string& section, const std::string& widthKey,
                    const std::string& heightKey, WindowStyle style, const WindowRect& defaults,
                    WindowSize current)
{
    if (style.DialogStyle || defaults.Width <= 0 || defaults.Height <= 0)
        return current;
    WindowSize size{ini.ReadInteger(section, widthKey, defaults.Width),
                    ini.ReadInteger(section, heightKey, defaults.Height)};
    if (size.Width < 1)
        size.Width = defaults.Width;
    if (size.Height < 1)
        size.Height = defaults.Height;
    return size;
}

// Moves a span [start, start + length) into [origin, origin + limit): its far end first,
// then its start, so a window larger than the screen keeps its top left corner on it.
int32_t KeepOn(int32_t start, int32_t length, int32_t origin, int32_t limit)
{
    int64_t s = start;
    if (s + length > int64_t(origin) + limit)
        s = int64_t(origin) + limit - length;
    return int32_t(std::max<int64_t>(s, origin));
}

// Whether [start, start + length) and [otherStart, otherStart + otherLength) overlap; an
// empty span counts as one unit, so that it is found where it lies.
bool Overlaps(int64_t start, int64_t length, int64_t otherStart, int64_t otherLength)
{
    return start < otherStart + std::max<int64_t>(otherLength, 1) && otherStart < start + std::max<int64_t>(length, 1);
}

} // namespace

WindowRect LoadPlacementA(const IniFile& ini, const std::string& name, WindowStyle style,
                          const WindowRect& defaults, WindowSize current, const ScreenInfo& screen)
{
    WindowRect r;
    r.Left = ini.ReadInteger("General", name + "Left", defaults.Left);
    r.Top = ini.ReadInteger("General", name + "Top", defaults.Top);
    WindowSize size = LoadSize(ini, "General", name + "Width", name + "Height", style, defaults, current);
    r.Width = size.Width;
    r.Height = size.Height;
    if (screen.MonitorCount == 1) {
        r.Left = KeepOn(r.Left, r.Width, 0, screen.Width);
        r.Top = KeepOn(r.Top, r.Height, 0, screen.Height);
    }
    return r;
}

void StorePlacementA(IniFile& ini, const std::string& name, WindowStyle style, const WindowRect& bounds)
{
    ini.WriteInteger("General", name + "Left", bounds.Left);
    ini.WriteInteger("General", name + "Top", bounds.Top);
    if (!style.DialogStyle) {
        ini.WriteInteger("General", name + "Width", bounds.Width);
        ini.WriteInteger("General", name + "Height", bounds.Height);
    }
}

PlacementB LoadPlacementB(const IniFile& ini, const std::string& section, WindowStyle style,
                          const WindowRect& defaults, WindowSize current)
{
    PlacementB p;
    p.Bounds.Left = ini.ReadInteger(section, "WinLeft", defaults.Left);
    p.Bounds.Top = ini.ReadInteger(section, "WinTop", defaults.Top);
    WindowSize size = LoadSize(ini, section, "WinWidth", "WinHeight", style, defaults, current);
    p.Bounds.Width = size.Width;
    p.Bounds.Height = size.Height;
    if (style.Sizeable) {
        // A value that is no state opens the window normal.
        switch (ini.ReadInteger(section, "WinState", 0)) {
        case 1: p.State = WindowState::Minimized; break;
        case 2: p.State = WindowState::Maximized; break;
        default: p.State = WindowState::Normal; break;
        }
    }
    return p;
}

void StorePlacementB(IniFile& ini, const std::string& section, WindowStyle style, WindowState state,
                     const WindowRect& normalBounds)
{
    if (style.Sizeable)
        ini.WriteInteger(section, "WinState", state == WindowState::Maximized ? 2 : 0);
    ini.WriteInteger(section, "WinLeft", normalBounds.Left);
    ini.WriteInteger(section, "WinTop", normalBounds.Top);
    if (!style.DialogStyle) {
        ini.WriteInteger(section, "WinWidth", normalBounds.Width);
        ini.WriteInteger(section, "WinHeight", normalBounds.Height);
    }
}

WindowRect KeepOnAScreen(const WindowRect& window, std::span<const WindowRect> screens, size_t primary)
{
    for (const WindowRect& screen : screens)
        if (Overlaps(window.Left, window.Width, screen.Left, screen.Width) &&
            Overlaps(window.Top, window.Height, screen.Top, screen.Height))
            return window;
    if (primary >= screens.size())
        return window;
    const WindowRect& screen = screens[primary];
    WindowRect moved = window;
    moved.Left = KeepOn(window.Left, window.Width, screen.Left, screen.Width);
    moved.Top = KeepOn(window.Top, window.Height, screen.Top, screen.Height);
    return moved;
}
