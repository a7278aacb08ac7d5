#pragma once
// The demo show shipped with the program (a project and its sound, side by side). It is opened
// from a copy in the user's data folder, so edits and saves never touch the installed files.

#include <string>

struct DemoCopy {
    std::string Show;  // the copy's project file; empty on failure
    std::string Error; // why there is no copy
};

// Copies installedShow and the sound it names (a bare file name beside it) into folder,
// pointing the copy at its own sound. A copy already there is the user's and is kept as it is
// (its sound is copied again when missing). installedShow empty: the demo is not installed.
DemoCopy CopyDemoShow(const std::string& installedShow, const std::string& folder);

// $XDG_DATA_HOME/lumenrill/demo (~/.local/share/lumenrill/demo when unset).
std::string DemoFolder();
