#pragma once
// A number edit with an up-down button: the edit takes any run of digits, the arrows step
// within 0..maximum. Reading gives the typed number, which may lie beyond the arrows' range.

#include <QAbstractSpinBox>

#include <cstdint>

class UpDownEdit : public QAbstractSpinBox {
    Q_OBJECT
public:
    UpDownEdit(int maximum, QWidget* parent = nullptr);

    void SetPosition(int64_t value);
    // The typed digits as a number; 0 for none. Very long numbers stop at 10^12, far
    // beyond any time a step can take.
    int64_t Value() const;

    // The digits of text as a number, as Value reads them.
    static int64_t ParseDigits(const QString& text);

    QValidator::State validate(QString& input, int& pos) const override;
    void stepBy(int steps) override;

protected:
    StepEnabled stepEnabled() const override;

private:
    int maximum_;
};
