// The text typed into a patch cell, as a table: what each text writes from the cell on.
#include "dialogs/patch_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

struct PatchTextCase {
    const char* text;
    int entry;
    std::optional<std::vector<int32_t>> sources; // nothing: refused with a beep
};

TEST(PatchTextTest, WhatEachTextWrites)
{
    using V = std::vector<int32_t>;
    const PatchTextCase cases[] = {
        {"3R", 0, V{6, 7, 8}},      // line 3 red, green and blue
        {"7", 0, V{6, 7, 8}},       // source 7 is line 3 red
        {"13", 0, V{12, 13, 14}},   // line 5
        {"1-2", 4, V{1}},           // line 1 green only
        {"1.2", 4, V{1}},
        {"1:2", 4, V{1}},
        {"1,2", 4, V{1}},
        {"1G", 4, V{1}},
        {" 1g ", 4, V{1}},          // any case, blanks at the ends
        {"8:3", 0, V{23}},          // line 8 blue
        {"8B", 0, V{23}},
        {"24", 0, V{23}},
        {"-1", 0, V{-1}},           // clears
        {"0", 0, V{-1}},
        {"", 0, V{-1}},
        {"  ", 0, V{-1}},
        {"9R", 0, std::nullopt},    // no line 9
        {"0R", 0, std::nullopt},
        {"2:4", 0, std::nullopt},   // no fourth colour
        {"2:", 0, std::nullopt},
        {"25", 0, std::nullopt},
        {"-2", 0, std::nullopt},
        {"x", 0, std::nullopt},
        {"R", 0, std::nullopt},
        {"1 R", 0, std::nullopt},   // the line's number must be whole
        {"2R", 510, V{3, 4}},       // row 171: slots 511 and 512, there is no 513
        {"2R", 511, V{3}},
        {"2B", 511, V{5}},
    };
    for (const PatchTextCase& c : cases)
        EXPECT_EQ(PatchTextSources(c.text, c.entry), c.sources) << '"' << c.text << "\" at entry " << c.entry;
}

} // namespace
