#pragma once
// What the session asks of the person in front of it, beyond the core's message boxes:
// file choices, the busy cursor and the commands that open dialogs. The window gives the
// real ones; tests give scripted answers.

#include <cstdint>
#include <optional>
#include <string>

class SessionPrompts {
public:
    virtual ~SessionPrompts() = default;
    // The project save dialog with fileName as its start; empty when cancelled.
    virtual std::string SaveProjectPath(const std::string& fileName) = 0;
    // The project open dialog; empty when cancelled.
    virtual std::string OpenProjectPath() = 0;
    // The hourglass while long work runs on the user interface thread.
    virtual void SetBusy(bool busy) = 0;
    // The project settings command for a new show: its title and sound file. Nothing
    // until that dialog exists.
    virtual void RunProjectSettings() {}
    // The step colour dialog with this caption, starting at color (0x00BBGGRR); the chosen
    // colour, or nothing when cancelled.
    virtual std::optional<uint32_t> StepColor(const std::string& caption, uint32_t color) = 0;
    // The step time dialog starting at time (ms); the typed time, which may lie beyond
    // 32 bits, or nothing when closed without OK.
    virtual std::optional<int64_t> StepTime(int32_t time) = 0;
    // A one-line input box; nothing when cancelled.
    virtual std::optional<std::string> InputText(const std::string& caption, const std::string& prompt) = 0;
    // The group file dialogs: the save dialog (asking before it overwrites a file) and the
    // open dialog starting in folder; empty when cancelled.
    virtual std::string SaveGroupPath() { return {}; }
    virtual std::string OpenGroupPath(const std::string& /*folder*/) { return {}; }
};
