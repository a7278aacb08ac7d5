#pragma once
// The file choices of the colour monitor's arrangement commands. The monitor gives the
// desktop's dialogs; tests give scripted answers.

#include <string>

class ColourMonitorPrompts {
public:
    virtual ~ColourMonitorPrompts() = default;
    // The save dialog, starting in folder (none when empty); empty when cancelled.
    virtual std::string SaveArrangementPath(const std::string& folder) = 0;
    // The open dialog, starting in folder (none when empty); empty when cancelled.
    virtual std::string OpenArrangementPath(const std::string& folder) = 0;
};
