#pragma once
// Where a dialog opens and what it stores when it closes (scheme A of the settings file).

#include "settings/ini_file.h"
#include "settings/window_placement.h"

#include <string>

class QWidget;

// Moves (and, where the style stores sizes, resizes) window from the stored placement.
void RestorePlacement(QWidget& window, const IniFile& ini, const std::string& name, WindowStyle style,
                      const WindowRect& defaults);
void StorePlacement(const QWidget& window, IniFile& ini, const std::string& name, WindowStyle style);
