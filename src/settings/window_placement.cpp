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

// How far [start, start + length) and [otherStart, otherStart + otherLength) overlap.
int64_t Overlap(int64_t start, int64_t length, int64_t otherStart, int64_t otherLength)
{
    return std::max<int64_t>(0, std::min(start + length, otherStart + otherLength) - std::max(start, otherStart));
}

bool TitleBarOn(const WindowRect& window, const WindowRect& screen)
{
    const int64_t grip = std::min<int64_t>(TitleBarGrip, std::max<int64_t>(window.Width, 1));
    return Overlap(window.Left, window.Width, screen.Left, screen.Width) >= grip && window.Top >= screen.Top &&
           int64_t(window.Top) + TitleBarHeight <= int64_t(screen.Top) + screen.Height;
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
    size_t target = primary;
    int64_t most = 0;
    for (size_t i = 0; i < screens.size(); ++i) {
        const WindowRect& screen = screens[i];
        if (TitleBarOn(window, screen))
            return window;
        const int64_t area = Overlap(window.Left, window.Width, screen.Left, screen.Width) *
                             Overlap(window.Top, window.Height, screen.Top, screen.Height);
        if (area > most) {
            most = area;
            target = i;
        }
    }
    if (target >= screens.size())
        return window;
    const WindowRect& screen = screens[target];
    WindowRect moved = window;
    moved.Left = KeepOn(window.Left, window.Width, screen.Left, screen.Width);
    moved.Top = KeepOn(window.Top, window.Height, screen.Top, screen.Height);
    return moved;
}
