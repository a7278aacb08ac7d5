#include "settings/file_history.h"

#include "common/paths.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {

std::string SectionOr(const std::string& section) { return section.empty() ? "FileHistory" : section; }

std::string KeyOf(int i) { return "File" + std::to_string(i); }

std::string FileNameOf(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// In a menu caption "&" marks the access key; a literal one is doubled.
std::string MenuText(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '&')
            out += '&';
        out += c;
    }
    return out;
}

} // namespace

void FileHistory::Load(const IniFile& ini, const std::string& section)
{
    list_.clear();
    const std::string name = SectionOr(section);
    for (int i = 0; i < FileHistoryItems; ++i) {
        std::string path = ini.ReadString(name, KeyOf(i), "");
        if (path.empty())
            break;
        if (IsFile(path))
            list_.push_back(std::move(path));
    }
}

void FileHistory::Save(IniFile& ini, const std::string& section) const
{
    const std::string name = SectionOr(section);
    for (int i = 0; i < FileHistoryItems; ++i)
        ini.WriteString(name, KeyOf(i), Get(i));
}

void FileHistory::Add(const std::string& path)
{
    auto found = std::find(list_.begin(), list_.end(), path);
    if (found != list_.end())
        list_.erase(found);
    list_.insert(list_.begin(), path);
}

std::string FileHistory::Get(int index) const
{
    return index >= 0 && index < Count() ? list_[size_t(index)] : std::string();
}

FileHistoryMenu FileHistory::UpdateMenu() const
{
    FileHistoryMenu menu;
    for (int i = 0; i < FileHistoryItems; ++i) {
        const std::string entry = Get(i);
        if (entry.empty())
            continue;
        // Access keys 1 to 9 and 0 for the first ten; the rest are indented to line up.
        std::string prefix = "   ";
        if (i < 10)
            prefix = {'&', char('0' + (i + 1) % 10), ':', ' '};
        menu.Items[size_t(i)] = {true, prefix + MenuText(FullPaths ? entry : FileNameOf(entry))};
    }
    menu.Enabled = !list_.empty();
    return menu;
}
