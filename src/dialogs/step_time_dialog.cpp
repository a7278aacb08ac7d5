#include "dialogs/step_time_dialog.h"

#include "dialogs/dialog_placement.h"
#include "dialogs/up_down_edit.h"
#include "settings/window_defaults.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

StepTimeDialog::StepTimeDialog(IniFile& settings, QWidget* parent) : QDialog(parent, Qt::Tool), settings_(settings)
{
    setObjectName("StpTimeDlg");
    setWindowTitle(tr("基点のタイム設定"));
    auto* row = new QHBoxLayout(this);
    static const char* const Names[4] = {"HurEdit", "MinEdit", "SecEdit", "CscEdit"};
    static constexpr int Maxima[4] = {23, 59, 59, 99};
    for (int i = 0; i < 4; ++i) {
        if (i == 3)
            row->addWidget(new QLabel(".", this));
        fields_[i] = new UpDownEdit(Maxima[i], this);
        fields_[i]->setObjectName(Names[i]);
        fields_[i]->setFixedWidth(52);
        row->addWidget(fields_[i]);
    }
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("OKBtn");
    ok->setDefault(true);
    row->addWidget(ok);
    connect(ok, &QPushButton::clicked, this, &StepTimeDialog::TakeTime);
    row->setSizeConstraint(QLayout::SetFixedSize);
}

void StepTimeDialog::showEvent(QShowEvent* event)
{
    RestorePlacement(*this, settings_, StpTimeDlgName, StpTimeDlgStyle, StpTimeDlgDefaults);
    // Shown without its sign.
    const int64_t a = TimeValue < 0 ? -TimeValue : TimeValue;
    fields_[0]->SetPosition(a / 3600000);
    fields_[1]->SetPosition(a / 60000 % 60);
    fields_[2]->SetPosition(a / 1000 % 60);
    fields_[3]->SetPosition(a / 10 % 100);
    QDialog::showEvent(event);
}

void StepTimeDialog::TakeTime()
{
    // In 64 bits: typed hours can be far more than 32 bits of milliseconds hold.
    TimeValue = fields_[0]->Value() * 3600000 + fields_[1]->Value() * 60000 + fields_[2]->Value() * 1000 +
                fields_[3]->Value() * 10;
    accept();
}

void StepTimeDialog::done(int result)
{
    StorePlacement(*this, settings_, StpTimeDlgName, StpTimeDlgStyle);
    QDialog::done(result);
}
