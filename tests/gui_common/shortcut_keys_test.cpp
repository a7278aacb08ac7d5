// One key, one command: later holders of a key lose it to the first in the command list.
#include "gui_common/shortcut_keys.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The table as stored texts, so that a case reads as the settings file does.
std::vector<QKeySequence> Keys(const std::vector<std::string>& texts)
{
    std::vector<QKeySequence> keys;
    for (const std::string& text : texts)
        keys.push_back(KeySequenceOf(text));
    return keys;
}

TEST(WithoutDuplicateShortcutsTest, TheFirstHolderKeepsTheKey)
{
    using Texts = std::vector<std::string>;
    const struct {
        const char* what;
        Texts keys, expected;
    } cases[] = {
        {"no duplicates: unchanged", {"Ctrl+C", "Ctrl+Z", "", "F5"}, {"Ctrl+C", "Ctrl+Z", "", "F5"}},
        {"a later holder loses it", {"Ctrl+C", "Ctrl+Z", "Ctrl+C"}, {"Ctrl+C", "Ctrl+Z", ""}},
        {"every later holder loses it", {"F5", "F5", "A", "F5"}, {"F5", "", "A", ""}},
        {"modifiers make another key", {"Ctrl+C", "Shift+Ctrl+C", "C", "Ctrl+Alt+C"},
         {"Ctrl+C", "Shift+Ctrl+C", "C", "Ctrl+Alt+C"}},
        {"no key is no clash", {"", "", "Del", ""}, {"", "", "Del", ""}},
        {"two keys clash at once", {"X", "Y", "Y", "X"}, {"X", "Y", "", ""}},
        {"empty table", {}, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WithoutDuplicateShortcuts(Keys(c.keys)), Keys(c.expected)) << c.what;
}

} // namespace
