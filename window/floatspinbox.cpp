#include "window/floatspinbox.h"

#include "window/doublevalidator.h"

#include <QLineEdit>

#include <climits>
#include <cmath>

namespace {
int scaled(double x, double factor)
{
    return static_cast<int>(x * factor + 0.5);
}
} // namespace

FloatSpinBox::FloatSpinBox(float minValue, float maxValue, float step, int digits, QWidget *parent,
                           const char *name)
    : SpinBox(scaled(minValue, std::pow(10.0, digits)), scaled(maxValue, std::pow(10.0, digits)),
              scaled(step, std::pow(10.0, digits)), parent, name),
      m_factor(std::pow(10.0, digits)), m_digits(digits)
{
    setValidator(new DoubleValidator(minValue, maxValue, digits, this));
    setSingleStep(static_cast<int>(0.5 + m_factor * step));
    lineEdit()->setMaxLength(20);
    // The base wrote its first text before this class could format it.
    refresh();
}

QString FloatSpinBox::textFromValue(int value) const
{
    // Whole numbers still show a decimal point, so the field reads as decimal.
    if (m_factor == 1.0)
        return QStringLiteral("%1.%2").arg(value).arg(0);
    return QString::number(value / m_factor, 'f', m_digits);
}

int FloatSpinBox::valueFromText(const QString &text) const
{
    const double x = text.trimmed().toDouble() * m_factor;
    if (x + 0.5 < static_cast<double>(INT_MIN))
        return INT_MIN;
    if (x + 0.5 > static_cast<double>(INT_MAX))
        return INT_MAX;
    return static_cast<int>(x + 0.5);
}
