#include "common/time_text.h"

#include <gtest/gtest.h>
#include <limits>

TEST(TimeText, FormatsHoursToHundredthsWithSign)
{
    const std::pair<int32_t, const char*> cases[] = {
        {0, "00:00:00.00"},
        {205500, "00:03:25.50"},
        {3723456, "01:02:03.45"},
        {-10000, "-00:00:10.00"},
        {-9, "-00:00:00.00"},
        {std::numeric_limits<int32_t>::min(), "-596:31:23.64"},
    };
    for (auto [ms, text] : cases)
        EXPECT_EQ(TimeText(ms), text) << ms;
}

TEST(RulerText, UsesTheCoarsestUnitPresent)
{
    const std::pair<int32_t, const char*> cases[] = {
        {0, "00"}, {5, "05"}, {59, "59"}, {60, " 1:00"}, {125, " 2:05"},
        {3600, " 1:00:00"}, {3725, " 1:02:05"}, {-5, "-05"}, {-90, "- 1:30"},
    };
    for (auto [s, text] : cases)
        EXPECT_EQ(RulerText(s), text) << s;
}
