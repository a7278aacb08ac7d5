#pragma once
// Where windows open and what is stored when they close, as rules over plain geometry.
// The windows give their style, the screen and their current size, and apply the result.
//
// Scheme A: keys name+"Left", name+"Top", name+"Width", name+"Height" in [General]
// (the main window and the dialogs). Scheme B: a section per window with WinLeft,
// WinTop, WinWidth, WinHeight and WinState (the colour monitor and its tiles, also in
// arrangement files).

#include "settings/ini_file.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

struct WindowRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    bool operator==(const WindowRect&) const = default;
};

struct WindowSize {
    int32_t Width = 0;
    int32_t Height = 0;
};

struct ScreenInfo {
    int MonitorCount = 1;
    int32_t Width = 0; // the screen the window opens on
    int32_t Height = 0;
};

enum class WindowState : int32_t { Normal = 0, Minimized = 1, Maximized = 2 };

struct WindowStyle {
    bool DialogStyle = false; // fixed dialog frame: its size is never loaded or stored
    bool Sizeable = false;    // only a sizeable window loads and stores its state
};

// Scheme A. The size is loaded only for a window that is not dialog-style and whose
// default width and height are above 0; otherwise the window keeps current. A stored
// size below 1 gives the default. With exactly one monitor the window is kept on it.
WindowRect LoadPlacementA(const IniFile& ini, const std::string& name, WindowStyle style,
                          const WindowRect& defaults, WindowSize current, const ScreenInfo& screen);
// Stores the window's bounds as they are (a maximised window its maximised bounds).
void StorePlacementA(IniFile& ini, const std::string& name, WindowStyle style, const WindowRect& bounds);

struct PlacementB {
    WindowRect Bounds;
    std::optional<WindowState> State; // only for a sizeable window
};

// Scheme B: the size rule of scheme A, no screen correction, and the state of a
// sizeable window.
PlacementB LoadPlacementB(const IniFile& ini, const std::string& section, WindowStyle style,
                          const WindowRect& defaults, WindowSize current);
// normalBounds are the bounds the window has, or would have, in its normal state. A
// sizeable window stores WinState 2 when maximised and 0 otherwise (a minimised window
// counts as normal).
void StorePlacementB(IniFile& ini, const std::string& section, WindowStyle style, WindowState state,
                     const WindowRect& normalBounds);

// A window opens where its title bar can be reached: the strip of TitleBarHeight at its top
// lies on a screen, at least TitleBarGrip wide (the whole width of a narrower window). A
// window stored elsewhere (the screen it was on is gone, or only an edge of it shows) would
// open where nobody can move it: it moves onto the screen it overlaps most, or else the
// primary one, kept whole on it where it fits, the nearer edges first.
// screens: the screens' rectangles; primary: its index among them.
inline constexpr int32_t TitleBarHeight = 24;
inline constexpr int32_t TitleBarGrip = 48;
WindowRect KeepOnAScreen(const WindowRect& window, std::span<const WindowRect> screens, size_t primary);
