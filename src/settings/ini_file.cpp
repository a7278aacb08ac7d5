#include "settings/ini_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

std::string_view SkipLead(std::string_view s)
{
    for (;;) {
        if (!s.empty() && IsBlank(s.front()))
            s.remove_prefix(1);
        else if (s.starts_with(ByteOrderMark))
            s.remove_prefix(ByteOrderMark.size());
        else
            return s;
    }
}

bool SameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto lower = [](unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string OneLine(std::string_view value)
{
    std::string out(value);
    for (char& c : out)
        if (c == '\r' || c == '\n')
            c = ' ';
    return out;
}

template <class Sections>
auto FindSection(Sections& sections, std::string_view name) -> decltype(&sections.front())
{
    for (auto& s : sections)
        if (SameName(s.name, name))
            return &s;
    return nullptr;
}

} // namespace

bool ParseIniInteger(std::string_view text, int32_t& value)
{
    text = Trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        // Hexadecimal is the 32-bit pattern, so 0xFFFFFFFF is -1.
        text.remove_prefix(2);
        uint64_t v = 0;
        for (char c : text) {
            int d = HexDigit(c);
            if (d < 0)
                return false;
            v = v * 16 + uint64_t(d);
            if (v > 0xFFFFFFFFu)
                return false;
        }
        uint32_t bits = uint32_t(v);
        value = int32_t(negative ? 0u - bits : bits);
        return true;
    }
    if (text.empty())
        return false;
    int64_t v = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
        if (v > int64_t(INT32_MAX) + 1)
            return false;
    }
    if (negative)
        v = -v;
    if (v > INT32_MAX)
        return false;
    value = int32_t(v);
    return true;
}

IniFile::IniFile(std::string fileName) : fileName_(std::move(fileName))
{
    // Anything that cannot be read (no file, a folder, no permission) reads as empty.
    std::FILE* f = std::fopen(fileName_.c_str(), "rb");
    if (!f) {
        // A file that is there but cannot be read must not be replaced by what this run
        // knows of it: every key it did not write would be lost.
        unreadable_ = errno != ENOENT && errno != ENOTDIR && errno != EISDIR;
        unreadableReason_ = std::strerror(errno);
        return;
    }
    std::string text;
    char buf[8192];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        text.append(buf, n);
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed) {
        unreadable_ = true;
        unreadableReason_ = std::strerror(EIO);
        return;
    }
    Parse(text);
}

void IniFile::Parse(std::string_view text)
{
    Section* current = nullptr;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        // One rule for what stands before a section or a key: blanks and byte-order marks
        // (an editor may add more than one), in any order, are not part of it. Taken off
        // every line, not just the first: a line kept in front of the sections may become
        // the first one when the file is written again, and must read the same then.
        line = SkipLead(line);

        std::string_view trimmed = Trim(line);
        if (trimmed.empty())
            continue;
        if (trimmed.front() == '[' && trimmed.find(']') != std::string_view::npos) {
            std::string_view name = Trim(SkipLead(trimmed.substr(1, trimmed.find(']') - 1)));
            // A section that appears twice is read as one.
            current = FindSection(sections_, name);
            if (!current)
                current = &sections_.emplace_back(Section{std::string(name), {}});
            continue;
        }
        Line entry;
        size_t eq = line.find('=');
        bool comment = trimmed.front() == ';' || trimmed.front() == '#';
        if (!comment && eq != std::string_view::npos && !Trim(line.substr(0, eq)).empty()) {
            entry.isEntry = true;
            entry.key = Trim(line.substr(0, eq));
            entry.text = line.substr(eq + 1);
        } else {
            entry.text = line;
        }
        if (current)
            current->lines.push_back(std::move(entry));
        else
            preamble_.push_back(entry.isEntry ? entry.key + "=" + entry.text : entry.text);
    }
}

const std::string* IniFile::FindValue(std::string_view section, std::string_view key) const
{
    const Section* s = FindSection(sections_, section);
    if (!s)
        return nullptr;
    for (const Line& l : s->lines)
        if (l.isEntry && SameName(l.key, key))
            return &l.text;
    return nullptr;
}

int32_t IniFile::ReadInteger(std::string_view section, std::string_view key, int32_t def) const
{
    const std::string* text = FindValue(section, key);
    int32_t value;
    return text && ParseIniInteger(*text, value) ? value : def;
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool def) const
{
    const std::string* text = FindValue(section, key);
    int32_t value;
    return text && ParseIniInteger(*text, value) ? value != 0 : def;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key, const std::string& def) const
{
    const std::string* text = FindValue(section, key);
    return text ? *text : def;
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int32_t value)
{
    WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value)
{
    WriteString(section, key, value ? "1" : "0");
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    Section* s = FindSection(sections_, section);
    if (!s)
        s = &sections_.emplace_back(Section{std::string(section), {}});
    for (Line& l : s->lines) {
        if (l.isEntry && SameName(l.key, key)) {
            l.text = OneLine(value);
            return;
        }
    }
    s->lines.push_back(Line{true, std::string(key), OneLine(value)});
}

std::string IniFile::Text() const
{
    std::string out;
    for (const std::string& line : preamble_)
        out += line + "\n";
    for (const Section& s : sections_) {
        if (!out.empty())
            out += "\n";
        out += "[" + s.name + "]\n";
        for (const Line& l : s.lines)
            out += l.isEntry ? l.key + "=" + l.text + "\n" : l.text + "\n";
    }
    return out;
}

WriteResult IniFile::UpdateFile() const
{
    if (unreadable_)
        return WriteResult::Failure(unreadableReason_);
    return WriteFileAtomically(fileName_, Text());
}
