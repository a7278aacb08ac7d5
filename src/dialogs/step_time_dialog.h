#pragma once
// StepTimeDialog, the step time dialog: a time typed as hours, minutes, seconds and
// hundredths. The caller sets TimeValue, runs the dialog and on OK reads TimeValue back. A
// tool window owned by the main window, so it stays above it.

#include <QDialog>

#include <cstdint>

class IniFile;
class UpDownEdit;

class StepTimeDialog : public QDialog {
    Q_OBJECT
public:
    // settings must outlive the dialog.
    StepTimeDialog(IniFile& settings, QWidget* parent = nullptr);

    // Milliseconds. Typed fields are not limited to their arrows' ranges, so the value
    // read back after OK may lie beyond 32 bits.
    int64_t TimeValue = 0;

    UpDownEdit* Field(int i) const { return fields_[i]; } // hours, minutes, seconds, hundredths

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void TakeTime();

    IniFile& settings_;
    UpDownEdit* fields_[4];
};
