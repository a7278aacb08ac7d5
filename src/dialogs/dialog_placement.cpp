#include "dialogs/dialog_placement.h"

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
    window.move(r.Left, r.Top);
    if (!style.DialogStyle && r.Width > 0 && r.Height > 0 && (r.Width != window.width() || r.Height != window.height()))
        window.resize(r.Width, r.Height);
}

void StorePlacement(const QWidget& window, IniFile& ini, const std::string& name, WindowStyle style)
{
    StorePlacementA(ini, name, style, {window.x(), window.y(), window.width(), window.height()});
}
