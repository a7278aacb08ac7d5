// The lines a peer of the hand-over sends: each path as sent, and a peer cut off once a line
// outgrows the bound, however its bytes are split.
#include "common/hand_over_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Paths = std::vector<std::string>;

struct LinesCase {
    const char* what;
    std::vector<std::string> pieces;
    Paths paths;
    bool refused;
};

TEST(HandOverLines, TakesEachPathAsSentAndRefusesALineOverTheBound)
{
    const size_t max = 8;
    using namespace std::string_literals;
    const LinesCase cases[] = {
        {"lines split anywhere", {"/a/b", ".PRJ\n/c", "\n"}, {"/a/b.PRJ", "/c"}, false},
        {"blanks belong to the name", {" /x y \n"}, {" /x y "}, false},
        {"empty lines and NUL are no paths", {"\n\n/a\0b\n/c\n"s}, {"/c"}, false},
        {"an unended line waits", {"/a\n/b"}, {"/a"}, false},
        {"exactly the bound", {"/2345678\n"}, {"/2345678"}, false},
        {"one past it, in one piece", {"/a\n/23456789\n/b\n"}, {"/a"}, true},
        {"one past it, unended", {"/2345", "6789"}, {}, true},
        {"nothing after a refusal", {"/234567890", "\n/b\n"}, {}, true},
    };
    for (const LinesCase& c : cases) {
        HandOverLines lines(max);
        Paths got;
        for (const std::string& piece : c.pieces)
            for (std::string& path : lines.Take(piece))
                got.push_back(std::move(path));
        EXPECT_EQ(got, c.paths) << c.what;
        EXPECT_EQ(lines.Refused(), c.refused) << c.what;
    }
}

TEST(HandOverLines, TheBoundLeavesRoomForAnyPath)
{
    HandOverLines lines;
    const std::string longest = "/" + std::string(PATH_MAX - 2, 'x');
    EXPECT_EQ(lines.Take(longest + "\n"), Paths{longest});
    EXPECT_FALSE(lines.Refused());
    lines.Take(std::string(HandOverLines::DefaultMaxLine + 1, 'x'));
    EXPECT_TRUE(lines.Refused());
}

} // namespace
