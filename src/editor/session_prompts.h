#pragma once
// What the session asks of the person in front of it, beyond the core's message boxes:
// file choices, the busy cursor and the commands that open dialogs. The window gives the
// real ones; tests give scripted answers.

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
};
