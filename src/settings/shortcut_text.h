#pragma once
// The text form in which the [ShortCut] section stores a command's shortcut: the modifiers
// "Shift+", "Ctrl+", "Alt+" in that order, then one key: a letter, a digit, "F1" to "F12"
// or one of the named keys ("BkSp", "Tab", "Esc", "Enter", "Space", "PgUp", "PgDn", "End",
// "Home", "Left", "Up", "Right", "Down", "Ins", "Del"). An empty text is no shortcut.
//
// In the table an empty value stands for the command's built-in key (a table written before
// the command had one); NoShortCutText stands for a command the person left without a key.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct ShortCut {
    bool Shift = false;
    bool Ctrl = false;
    bool Alt = false;
    // The key as written in the text: "A", "7", "F5", "PgDn", ...
    std::string Key;

    bool operator==(const ShortCut&) const = default;
};

// The shortcut the text denotes, or nothing (also for an empty text). Letters in any case
// and modifiers in any order are taken, as people write them by hand; the key name comes
// back in its stored spelling.
std::optional<ShortCut> ParseShortCut(std::string_view text);
// The stored text of a shortcut; empty for none or for a key the form has no name for.
std::string ShortCutText(const std::optional<ShortCut>& shortCut);
inline constexpr std::string_view NoShortCutText = "None";
// The key names beside letters, digits and function keys, in the stored spelling.
inline constexpr const char* NamedKeys[] = {"BkSp", "Tab",  "Esc",  "Enter", "Space", "PgUp", "PgDn", "End",
                                            "Home", "Left", "Up",   "Right", "Down",  "Ins",  "Del"};
