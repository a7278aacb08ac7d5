#include "gui_common/screen_placement.h"

#include "settings/window_placement.h"

#include <QGuiApplication>
#include <QScreen>

#include <vector>

namespace {

WindowRect ToWindowRect(const QRect& r) { return {r.x(), r.y(), r.width(), r.height()}; }

} // namespace

QRect OnAScreen(const QRect& bounds)
{
    std::vector<WindowRect> screens;
    size_t primary = 0;
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen == QGuiApplication::primaryScreen())
            primary = screens.size();
        screens.push_back(ToWindowRect(screen->availableGeometry()));
    }
    const WindowRect r = KeepOnAScreen(ToWindowRect(bounds), screens, primary);
    return {r.Left, r.Top, r.Width, r.Height};
}
