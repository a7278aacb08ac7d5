#include "common/messages.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

TEST(Messages, ForwardToTheInstalledHandlerWithDefaultCaptions)
{
    RecordingMessages rec;
    rec.answers = {Answer::No, Answer::Cancel};
    ShowError("壊れています");
    ShowError("x", "独自");
    EXPECT_FALSE(ConfirmYesNo("続けますか"));
    EXPECT_EQ(AskYesNoCancel("保存しますか"), Answer::Cancel);
    EXPECT_TRUE(ConfirmYesNo("script ran out"));

    ASSERT_EQ(rec.entries.size(), 5u);
    EXPECT_EQ(rec.entries[0].caption, "エラー");
    EXPECT_EQ(rec.entries[0].text, "壊れています");
    EXPECT_EQ(rec.entries[1].caption, "独自");
    EXPECT_EQ(rec.entries[2].caption, "確認");
    EXPECT_EQ(rec.entries[3].caption, "確認");
}
