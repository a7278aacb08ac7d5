#pragma once
// What the project settings dialog changes at once, while it is open: the live DMX patch,
// the load check and the player. The main window gives the running show's; tests fake it.

#include <cstdint>
#include <span>
#include <string>

class ProjectSettingsHost {
public:
    virtual ~ProjectSettingsHost() = default;
    // Entry i of the live patch: the source of DMX slot i + 1, -1 unpatched.
    virtual int32_t PatchEntry(int entry) const = 0;
    // Writes sources from entry `first` on and marks the show modified.
    virtual void SetPatchEntries(int first, std::span<const int32_t> sources) = 0;
    virtual void MarkModified() = 0;
    // The group of three slots sent at full; -1 none.
    virtual void SetCheckGroup(int32_t group) = 0;
    // Closes the player before another sound is chosen.
    virtual void CloseSound() = 0;
    // Opens the show's sound again after a choice that was not taken.
    virtual void ReopenSound() = 0;
};

// The values the dialog starts from, and on OK what it hands back.
struct ProjectSettingsValues {
    std::string Title;
    std::string SoundFile; // as stored, possibly relative to the executable's folder
    int32_t PrePlayTime = 10000;
    int32_t PostPlayTime = 10000;
    // After OK: whether the title or the sound file was changed.
    bool TitleChanged = false;
    bool SoundChanged = false;
};
