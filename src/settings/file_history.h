#pragma once
// The recently used project files, most recent first, and the captions of the twenty
// items of the File menu's recent-projects sub-menu.

#include "settings/ini_file.h"

#include <array>
#include <string>
#include <vector>

inline constexpr int FileHistoryItems = 20;

struct FileHistoryMenu {
    struct Item {
        bool Visible = false;
        std::string Caption;
    };
    std::array<Item, FileHistoryItems> Items; // item i opens entry i
    bool Enabled = false;                     // the parent item
};

class FileHistory {
public:
    // Items show full paths; off, only the file names.
    bool FullPaths = true;

    // Replaces the list with File0.. of section ("FileHistory" when empty), up to the
    // first empty value, keeping only files that exist now.
    void Load(const IniFile& ini, const std::string& section = "");
    // Writes File0 to File19, empty where the list is shorter.
    void Save(IniFile& ini, const std::string& section = "") const;
    // Puts path at the front, removing an equal entry. Paths compare exactly: two names
    // that differ only in letter case are two files.
    void Add(const std::string& path);
    // The entry at index, or empty when there is none.
    std::string Get(int index) const;
    int Count() const { return int(list_.size()); }

    FileHistoryMenu UpdateMenu() const;

private:
    std::vector<std::string> list_; // not limited; only the first 20 are shown and stored
};
