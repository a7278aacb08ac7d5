#include "dialogs/up_down_edit.h"

#include <QLineEdit>

#include <algorithm>

namespace {

constexpr int64_t ValueCap = 1000000000000; // 10^12

} // namespace

UpDownEdit::UpDownEdit(int maximum, QWidget* parent) : QAbstractSpinBox(parent), maximum_(maximum)
{
    lineEdit()->setText("0");
}

void UpDownEdit::SetPosition(int64_t value) { lineEdit()->setText(QString::number(value)); }

int64_t UpDownEdit::Value() const { return ParseDigits(text()); }

int64_t UpDownEdit::ParseDigits(const QString& text)
{
    int64_t v = 0;
    for (QChar c : text) {
        if (!c.isDigit() || c.digitValue() < 0)
            return 0;
        v = std::min(ValueCap, v * 10 + c.digitValue());
    }
    return v;
}

QValidator::State UpDownEdit::validate(QString& input, int&) const
{
    for (QChar c : input)
        if (c < '0' || c > '9')
            return QValidator::Invalid;
    return QValidator::Acceptable;
}

void UpDownEdit::stepBy(int steps)
{
    SetPosition(std::clamp<int64_t>(std::min<int64_t>(Value(), maximum_) + steps, 0, maximum_));
}

QAbstractSpinBox::StepEnabled UpDownEdit::stepEnabled() const { return StepUpEnabled | StepDownEnabled; }
