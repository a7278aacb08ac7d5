#pragma once
// The note kept beside a recovery copy of a show: which show the copy belongs to and when it
// was written. A few "key=value" lines; the show's path is empty for a show never saved, and
// a backslash, line feed or carriage return in it is stored as "\\", "\n" or "\r".

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct RecoveryRecord {
    std::string ShowPath; // the show's own file; empty: an untitled show
    int64_t SavedAt = 0;  // seconds since 1970 (UTC) when the copy was written
    friend bool operator==(const RecoveryRecord&, const RecoveryRecord&) = default;
};

std::string FormatRecoveryRecord(const RecoveryRecord& record);
// Nothing for a text that is no record (no "Lumenrill recovery" first line, a time that is
// no number, a NUL, a backslash in the path that starts none of those three).
std::optional<RecoveryRecord> ParseRecoveryRecord(std::string_view text);

// Where the recovery copies are kept: beside the settings file of a portable copy (one
// beside the executable), else $XDG_STATE_HOME/lumenrill, else ~/.local/state/lumenrill.
std::string RecoveryFolder(const std::string& settingsPath, const std::string& exeDir);

// The show's part of the name a copy of the show at showPath takes in the recovery folder:
// "recovery-" and a hash of the path, "recovery-untitled" for an untitled show. Each run
// adds "-" and a tag of its own, so runs never share a copy.
std::string RecoveryBaseName(const std::string& showPath);
