#include "common/paths.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

std::string& ExeDirStorage()
{
    static std::string dir = [] {
        std::error_code ec;
        fs::path exe = fs::read_symlink("/proc/self/exe", ec);
        std::string d = ec ? fs::current_path().string() : exe.parent_path().string();
        if (d.empty() || d.back() != '/')
            d += '/';
        return d;
    }();
    return dir;
}

std::string UpperAscii(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return (c >= 'a' && c <= 'z') ? char(c - 32) : char(c); });
    return s;
}

std::vector<std::string> SplitExtensions(const std::string& exts)
{
    std::vector<std::string> out;
    size_t start = 0;
    while (start <= exts.size()) {
        size_t end = exts.find(';', start);
        if (end == std::string::npos)
            end = exts.size();
        std::string e = exts.substr(start, end - start);
        if (!e.empty()) {
            if (e[0] != '.')
                e.insert(e.begin(), '.');
            out.push_back(UpperAscii(e));
        }
        start = end + 1;
    }
    return out;
}

bool HasExtension(const fs::path& p, const std::vector<std::string>& exts)
{
    std::string ext = UpperAscii(p.extension().string());
    return !ext.empty() && std::find(exts.begin(), exts.end(), ext) != exts.end();
}

void AddOnce(std::vector<std::string>& list, const std::string& path)
{
    if (std::find(list.begin(), list.end(), path) == list.end())
        list.push_back(path);
}

} // namespace

bool IsFile(const std::string& path)
{
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

const std::string& ExeDir() { return ExeDirStorage(); }

void SetExeDir(std::string dir)
{
    if (dir.empty() || dir.back() != '/')
        dir += '/';
    ExeDirStorage() = std::move(dir);
}

std::string NativeSeparators(std::string path)
{
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

bool ResolvePath(std::string& path)
{
    if (path.empty())
        return false;
    path = NativeSeparators(path);
    if (path.front() != '/')
        path = ExeDir() + path;
    return IsFile(path);
}

size_t PosNoCase(const std::string& sub, const std::string& text)
{
    if (sub.empty())
        return 0;
    size_t at = UpperAscii(text).find(UpperAscii(sub));
    return at == std::string::npos ? 0 : at + 1;
}

std::string TextBefore(const std::string& text, const std::string& separator)
{
    size_t at = text.find(separator);
    return at == std::string::npos ? text : text.substr(0, at);
}

bool MatchExt(const std::string& ext, const std::string& list)
{
    if (list == "*" || list == ".*")
        return true;
    if (ext.empty() || list.empty())
        return false;
    auto dotted = [](std::string s) {
        if (s.front() != '.')
            s.insert(s.begin(), '.');
        if (s.back() != '.')
            s += '.';
        return UpperAscii(s);
    };
    return dotted(list).find(dotted(ext)) != std::string::npos;
}

void GetDroppedFiles(const std::vector<std::string>& dropped, std::vector<std::string>& list,
                     const std::string& exts)
{
    const std::vector<std::string> wanted = SplitExtensions(exts);
    for (const std::string& item : dropped) {
        std::error_code ec;
        if (fs::is_directory(item, ec)) {
            std::vector<std::string> found;
            for (fs::recursive_directory_iterator it(item, fs::directory_options::skip_permission_denied, ec), end;
                 !ec && it != end; it.increment(ec)) {
                if (it->is_regular_file(ec) && HasExtension(it->path(), wanted))
                    found.push_back(it->path().string());
            }
            std::sort(found.begin(), found.end());
            for (const std::string& f : found)
                AddOnce(list, f);
        } else if (HasExtension(item, wanted)) {
            AddOnce(list, item);
        }
    }
}

std::string UserFolder(const char* variable, const char* underHome)
{
    if (const char* set = std::getenv(variable); set && set[0] == '/')
        return set;
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : "/tmp") + "/" + underHome;
}

std::string AbsoluteFromCwd(const std::string& path)
{
    if (path.empty() || path.front() == '/')
        return path;
    std::error_code ec;
    fs::path abs = fs::absolute(path, ec);
    return ec ? path : abs.lexically_normal().string();
}
