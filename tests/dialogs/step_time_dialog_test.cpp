// The step time dialog on its own: the four fields from a time, and the time from typed
// fields, in 64 bits.
#include "dialogs/step_time_dialog.h"
#include "dialogs/up_down_edit.h"
#include "settings/ini_file.h"
#include "support/test_support.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <array>

namespace {

class StepTimeDialogTest : public ::testing::Test {
protected:
    // Opens the dialog at time, checks the fields it shows, types fields (null: as shown)
    // and presses OK. Returns the time read back.
    int64_t Round(int64_t time, std::array<int64_t, 4> shown, std::array<const char*, 4> typed = {})
    {
        dialog.TimeValue = time;
        QTimer::singleShot(0, &dialog, [&] {
            for (int i = 0; i < 4; ++i) {
                EXPECT_EQ(dialog.Field(i)->Value(), shown[size_t(i)]) << time << " field " << i;
                if (typed[size_t(i)])
                    dialog.Field(i)->findChild<QLineEdit*>()->setText(typed[size_t(i)]);
            }
            dialog.findChild<QPushButton*>("OKBtn")->click();
        });
        EXPECT_EQ(dialog.exec(), QDialog::Accepted);
        return dialog.TimeValue;
    }

    TempDir dir;
    IniFile ini{dir / "lumenrill.INI"};
    StepTimeDialog dialog{ini};
};

TEST_F(StepTimeDialogTest, FieldsAndTheTimeReadBack)
{
    EXPECT_EQ(Round(3723456, {1, 2, 3, 45}), 3723450) << "milliseconds below 10 are lost";
    EXPECT_EQ(Round(-1500, {0, 0, 1, 50}), 1500) << "shown without its sign";
    EXPECT_EQ(Round(0, {0, 0, 0, 0}, {nullptr, "75", nullptr, ""}), 75 * 60000) << "beyond the arrows, empty is 0";
    // Hours far beyond 32 bits of milliseconds.
    EXPECT_EQ(Round(0, {0, 0, 0, 0}, {"999999", nullptr, nullptr, nullptr}), int64_t{999999} * 3600000);
    EXPECT_EQ(Round(0, {0, 0, 0, 0}, {"99999999999999999999", nullptr, nullptr, nullptr}),
              int64_t{1000000000000} * 3600000) << "a run of digits too long for any number is capped";
    EXPECT_TRUE(dialog.windowFlags().testFlag(Qt::Tool));
}

TEST_F(StepTimeDialogTest, TheArrowsStepWithinTheirRangeAndTheEditTakesDigitsOnly)
{
    UpDownEdit* minutes = dialog.Field(1);
    minutes->SetPosition(58);
    minutes->stepBy(1);
    minutes->stepBy(1);
    EXPECT_EQ(minutes->Value(), 59);
    minutes->SetPosition(75);
    minutes->stepBy(-1);
    EXPECT_EQ(minutes->Value(), 58) << "from beyond the range, the arrows start at its end";
    QString text = "1a";
    int pos = 0;
    EXPECT_EQ(minutes->validate(text, pos), QValidator::Invalid);
}

} // namespace
