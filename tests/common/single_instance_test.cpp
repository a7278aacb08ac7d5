#include "common/single_instance.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

TEST(SingleInstance, ASecondHolderIsRefusedUntilTheFirstEnds)
{
    TempDir dir;
    {
        SingleInstanceLock first(dir.Path());
        ASSERT_TRUE(first.Acquire());
        EXPECT_EQ(first.Path(), dir / "Lumenrill_is_running");
        SingleInstanceLock second(dir.Path());
        EXPECT_FALSE(second.Acquire());
    }
    SingleInstanceLock third(dir.Path());
    EXPECT_TRUE(third.Acquire());
}
