#include "settings/recovery_record.h"

#include "common/paths.h"
#include "settings/env_data.h"

#include <charconv>
#include <cstdio>
#include <filesystem>

namespace {

constexpr std::string_view FirstLine = "Lumenrill recovery";
constexpr std::string_view ShowKey = "Show=";
constexpr std::string_view SavedKey = "SavedAt=";

// A file name may hold line breaks (and the reader drops a '\r' before a line's end): the
// path is stored with backslash escapes so that it stays one line and comes back whole.
std::string Escaped(std::string_view path)
{
    std::string text;
    for (char c : path) {
        switch (c) {
        case '\\': text += "\\\\"; break;
        case '\n': text += "\\n"; break;
        case '\r': text += "\\r"; break;
        default: text += c;
        }
    }
    return text;
}

std::optional<std::string> Unescaped(std::string_view text)
{
    std::string path;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            path += text[i];
            continue;
        }
        if (++i == text.size())
            return std::nullopt;
        switch (text[i]) {
        case '\\': path += '\\'; break;
        case 'n': path += '\n'; break;
        case 'r': path += '\r'; break;
        default: return std::nullopt;
        }
    }
    return path;
}

} // namespace

std::string FormatRecoveryRecord(const RecoveryRecord& record)
{
    return std::string(FirstLine) + "\n" + std::string(ShowKey) + Escaped(record.ShowPath) + "\n" +
           std::string(SavedKey) + std::to_string(record.SavedAt) + "\n";
}

std::optional<RecoveryRecord> ParseRecoveryRecord(std::string_view text)
{
    RecoveryRecord record;
    bool first = true, show = false, saved = false;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.find('\0') != std::string_view::npos)
            return std::nullopt;
        if (first) {
            if (line != FirstLine)
                return std::nullopt;
            first = false;
        } else if (line.starts_with(ShowKey)) {
            std::optional<std::string> path = Unescaped(line.substr(ShowKey.size()));
            if (!path)
                return std::nullopt;
            record.ShowPath = std::move(*path);
            show = true;
        } else if (line.starts_with(SavedKey)) {
            const std::string_view digits = line.substr(SavedKey.size());
            const auto [p, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), record.SavedAt);
            if (ec != std::errc() || p != digits.data() + digits.size())
                return std::nullopt;
            saved = true;
        }
    }
    if (!show || !saved)
        return std::nullopt;
    return record;
}

std::string RecoveryBaseName(const std::string& showPath)
{
    if (showPath.empty())
        return "recovery-untitled";
    // FNV-1a: the same path gives the same name in every run and on every machine.
    uint64_t h = 14695981039346656037ull;
    for (unsigned char c : showPath) {
        h ^= c;
        h *= 1099511628211ull;
    }
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(h));
    return std::string("recovery-") + hex;
}

std::string RecoveryFolder(const std::string& settingsPath, const std::string& exeDir)
{
    if (settingsPath == SettingsFilePath(exeDir))
        return std::filesystem::path(settingsPath).parent_path().string();
    return UserFolder("XDG_STATE_HOME", ".local/state") + "/lumenrill";
}
