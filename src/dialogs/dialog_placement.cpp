#include "dialogs/dialog_placement.h"

#include "gui_common/screen_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void RestorePlacement(QWidget& window, const IniFile& ini, const std::string& name, WindowStyle style,
                      const WindowRect& defaults)
{
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    ScreenInfo info;
    info.MonitorCount = int(QGuiApplication::screens().size());
    info.Width = area.width();
    info.Height = area.height();
    const WindowRect r = LoadPlacementA(ini, name, style, defaults, {window.width(), window.height()}, info);
    const bool sized = !style.DialogStyle && r.Width > 0 && r.Height > 0;
    // A dialog stored on a screen that is gone would open modal where nobody sees it.
    const QSize size = sized ? QSize(r.Width, r.Height) : window.size();
    const QRect placed = OnAScreen(QRect(QPoint(r.Left, r.Top), size));
    window.move(placed.topLeft());
    if (sized && placed.size() != window.size())
        window.resize(placed.size());
}

void StorePlacement(const QWidget& window, IniFile& ini, const std::string& name, WindowStyle style)
{
    StorePlacementA(ini, name, style, {window.x(), window.y(), window.width(), window.height()});
}
