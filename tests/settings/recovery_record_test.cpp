// The note beside a recovery copy: written and read back, and what a reader refuses.
#include "settings/recovery_record.h"

#include <gtest/gtest.h>

namespace {

TEST(RecoveryRecord, ReadsBackWhatItWrites)
{
    // A file name may hold line breaks, a carriage return at its end and backslashes.
    for (const RecoveryRecord& r :
         {RecoveryRecord{"/home/a/Shows/Evening.PRJ", 1796961600}, RecoveryRecord{"", 0},
          RecoveryRecord{"/tmp/x=y/show name.PRJ", -5}, RecoveryRecord{"/tmp/two\nlines\nSavedAt=9.PRJ", 1},
          RecoveryRecord{"/tmp/ends in\r", 2}, RecoveryRecord{"/tmp/back\\slash\\n.PRJ", 3}})
        EXPECT_EQ(ParseRecoveryRecord(FormatRecoveryRecord(r)), r) << r.ShowPath;
    EXPECT_EQ(ParseRecoveryRecord("Lumenrill recovery\nShow=/a\\nb\\\\c\\r\r\nSavedAt=4\n"),
              (RecoveryRecord{"/a\nb\\c\r", 4}));
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
        "Lumenrill recovery\nShow=/a\\t.PRJ\nSavedAt=1\n",  // no such escape
        "Lumenrill recovery\nShow=/a\\\nSavedAt=1\n",       // a backslash at the end
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
