#include "settings/shortcut_text.h"

#include <gtest/gtest.h>

namespace {

TEST(ShortCutTextTest, StoredTextsReadBackToTheSameText)
{
    // Every modifier combination writes Shift, Ctrl, Alt in that order.
    const char* const texts[] = {"A",       "Z",         "0",          "9",          "F1",
                                 "F12",     "BkSp",      "Tab",        "Esc",        "Enter",
                                 "Space",   "PgUp",      "PgDn",       "End",        "Home",
                                 "Left",    "Up",        "Right",      "Down",       "Ins",
                                 "Del",     "Ctrl+X",    "Shift+F5",   "Alt+Home",   "Shift+Ctrl+F5",
                                 "Ctrl+Alt+Del", "Shift+Alt+PgDn", "Shift+Ctrl+Alt+BkSp", "Ctrl+Left"};
    for (const char* text : texts) {
        const std::optional<ShortCut> s = ParseShortCut(text);
        ASSERT_TRUE(s) << text;
        EXPECT_EQ(ShortCutText(s), text);
    }
}

TEST(ShortCutTextTest, KeysAndModifiersAreTakenApart)
{
    EXPECT_EQ(ParseShortCut("Shift+Ctrl+F5"), (ShortCut{true, true, false, "F5"}));
    EXPECT_EQ(ParseShortCut("Alt+PgDn"), (ShortCut{false, false, true, "PgDn"}));
    EXPECT_EQ(ParseShortCut("7"), (ShortCut{false, false, false, "7"}));
}

TEST(ShortCutTextTest, HandWrittenSpellingsAreTakenAndStoredInTheirOwnForm)
{
    const struct {
        const char* written;
        const char* stored;
    } cases[] = {
        {"ctrl+x", "Ctrl+X"},     {"Alt+Ctrl+Shift+del", "Shift+Ctrl+Alt+Del"}, {"PGDN", "PgDn"},
        {"f9", "F9"},             {"Ctrl+Shift+bksp", "Shift+Ctrl+BkSp"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShortCutText(ParseShortCut(c.written)), c.stored) << c.written;
}

TEST(ShortCutTextTest, TextsThatNameNoKeyAreNoShortcut)
{
    const char* const texts[] = {"",       "Ctrl+",   "Ctrl",  "F0",       "F13",       "F01",  "Ctrl+Ctrl+X",
                                 "X+Ctrl", "Ctrl+AB", "Meta+A", "Ctrl X",  "PageDown", "Shift++", " A"};
    for (const char* text : texts)
        EXPECT_FALSE(ParseShortCut(text)) << '"' << text << '"';
    EXPECT_FALSE(ParseShortCut(std::string_view())) << "an empty view with no characters behind it";
    EXPECT_EQ(ShortCutText(std::nullopt), "");
    EXPECT_EQ(ShortCutText(ShortCut{true, false, false, "Nope"}), "");
    EXPECT_EQ(ShortCutText(ShortCut{false, true, false, ""}), "");
}

} // namespace
