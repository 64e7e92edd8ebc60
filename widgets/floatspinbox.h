#pragma once

#include "widgets/spinbox.h"

// A spin box for decimal values. The base holds value * 10^digits as an
// integer, so range, steps and value stay exact integers underneath.
class FloatSpinBox : public SpinBox
{
    Q_OBJECT
public:
    FloatSpinBox(float minValue, float maxValue, float step, int digits, QWidget *parent = nullptr,
                 const char *name = nullptr);

    [[nodiscard]] double factor() const { return m_factor; }
    [[nodiscard]] int digits() const { return m_digits; }

    QString textFromValue(int value) const override;
    int valueFromText(const QString &text) const override;

private:
    double m_factor;
    int m_digits;
};
