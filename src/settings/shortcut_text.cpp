#include "settings/shortcut_text.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace {

bool SameLetters(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
           });
}

// The stored spelling of a key name, or empty when it names no key.
std::string KeyName(std::string_view key)
{
    if (key.empty())
        return {};
    if (key.size() == 1) {
        const auto c = static_cast<unsigned char>(key[0]);
        if (std::isalpha(c))
            return std::string(1, char(std::toupper(c)));
        if (std::isdigit(c))
            return std::string(key);
        return {};
    }
    for (const char* name : NamedKeys)
        if (SameLetters(key, name))
            return name;
    if ((key[0] == 'F' || key[0] == 'f') && key.size() <= 3 && key[1] != '0' &&
        std::all_of(key.begin() + 1, key.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); })) {
        const int n = std::stoi(std::string(key.substr(1)));
        if (n >= 1 && n <= 12)
            return "F" + std::to_string(n);
    }
    return {};
}

} // namespace

std::optional<ShortCut> ParseShortCut(std::string_view text)
{
    ShortCut s;
    const std::pair<std::string_view, bool ShortCut::*> modifiers[] = {
        {"Shift+", &ShortCut::Shift}, {"Ctrl+", &ShortCut::Ctrl}, {"Alt+", &ShortCut::Alt}};
    for (bool found = true; found;) {
        found = false;
        for (const auto& [prefix, flag] : modifiers)
            if (text.size() > prefix.size() && SameLetters(text.substr(0, prefix.size()), prefix) && !(s.*flag)) {
                s.*flag = true;
                text.remove_prefix(prefix.size());
                found = true;
            }
    }
    s.Key = KeyName(text);
    if (s.Key.empty())
        return std::nullopt;
    return s;
}

std::string ShortCutText(const std::optional<ShortCut>& shortCut)
{
    if (!shortCut)
        return {};
    const std::string key = KeyName(shortCut->Key);
    if (key.empty())
        return {};
    std::string text;
    if (shortCut->Shift)
        text += "Shift+";
    if (shortCut->Ctrl)
        text += "Ctrl+";
    if (shortCut->Alt)
        text += "Alt+";
    return text + key;
}
