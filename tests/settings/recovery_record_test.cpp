// The note beside a recovery copy: written and read back, and what a reader refuses.
#include "settings/recovery_record.h"

#include <gtest/gtest.h>

namespace {

TEST(RecoveryRecord, ReadsBackWhatItWrites)
{
    for (const RecoveryRecord& r : {RecoveryRecord{"/home/a/Shows/Evening.PRJ", 1796961600},
                                    RecoveryRecord{"", 0}, RecoveryRecord{"/tmp/x=y/show name.PRJ", -5}})
        EXPECT_EQ(ParseRecoveryRecord(FormatRecoveryRecord(r)), r) << r.ShowPath;
}

TEST(RecoveryRecord, RefusesWhatIsNoRecord)
{
    const char* const texts[] = {
        "",
        "Show=/a.PRJ\nSavedAt=1\n",                        // no first line
        "Lumenrill recovery\nShow=/a.PRJ\n",               // no time
        "Lumenrill recovery\nSavedAt=1\n",                 // no show
        "Lumenrill recovery\nShow=/a.PRJ\nSavedAt=12x\n",  // a time that is no number
        "Lumenrill recovery\nShow=/a.PRJ\nSavedAt=99999999999999999999\n",
    };
    for (const char* text : texts)
        EXPECT_FALSE(ParseRecoveryRecord(text)) << text;
    EXPECT_FALSE(ParseRecoveryRecord(std::string_view("Lumenrill recovery\nShow=/a\0b\nSavedAt=1\n", 38)));
    EXPECT_TRUE(ParseRecoveryRecord("Lumenrill recovery\r\nShow=/a.PRJ\r\nSavedAt=7\r\n"));
}

TEST(RecoveryRecord, EachShowHasANameOfItsOwn)
{
    EXPECT_EQ(RecoveryBaseName(""), "recovery-untitled");
    EXPECT_EQ(RecoveryBaseName("/a/show.PRJ"), RecoveryBaseName("/a/show.PRJ"));
    EXPECT_NE(RecoveryBaseName("/a/show.PRJ"), RecoveryBaseName("/a/Show.PRJ"));
    EXPECT_EQ(RecoveryBaseName("/a/show.PRJ").size(), std::string("recovery-").size() + 16);
}

} // namespace
