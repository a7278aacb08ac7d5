#pragma once
// An INI text file held in memory: "[Section]" lines and "Key=Value" lines, UTF-8.
// Used for the settings file and the colour monitor's arrangement files.
//
// Reading never fails: a missing file, section or key gives the caller's default.
// Blanks and byte-order marks before a line, a section name or a key, in any order, are
// not part of it, nor are blanks after a name or a key. Section and key names match
// without regard to ASCII letter case. Integers are signed
// 32-bit decimal text, or hexadecimal after "0x"/"0X"; text that is not an integer gives
// the default. A boolean is any integer, true when not 0. A string is the whole text after
// the first "=", kept exactly (blanks included).
//
// Writes change the memory copy only; UpdateFile() puts the file on disk through a
// temporary file and a rename, except over a file that was there but could not be read.
// Lines the program does not know (comments) are kept;
// blank lines are not (one blank line separates the sections written).

#include "common/atomic_file.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class IniFile {
public:
    explicit IniFile(std::string fileName);

    const std::string& FileName() const { return fileName_; }

    int32_t ReadInteger(std::string_view section, std::string_view key, int32_t def) const;
    bool ReadBool(std::string_view section, std::string_view key, bool def) const;
    std::string ReadString(std::string_view section, std::string_view key, const std::string& def) const;

    void WriteInteger(std::string_view section, std::string_view key, int32_t value);
    void WriteBool(std::string_view section, std::string_view key, bool value);
    // Line breaks inside value cannot be stored in a line and are written as blanks.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);

    // The file as it would be written.
    std::string Text() const;
    WriteResult UpdateFile() const;

private:
    struct Line {
        bool isEntry = false;
        std::string key;  // entries
        std::string text; // the value of an entry, or the whole of any other line
    };
    struct Section {
        std::string name;
        std::vector<Line> lines;
    };

    void Parse(std::string_view text);
    const std::string* FindValue(std::string_view section, std::string_view key) const;

    std::string fileName_;
    bool unreadable_ = false; // the file is there but could not be read: never overwrite it
    std::string unreadableReason_;
    std::vector<std::string> preamble_; // lines before the first section
    std::vector<Section> sections_;
};

// The integer rule of the settings file; false when text is not an integer.
bool ParseIniInteger(std::string_view text, int32_t& value);
