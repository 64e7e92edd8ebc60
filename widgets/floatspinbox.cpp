#include "widgets/floatspinbox.h"

#include "widgets/doublevalidator.h"

#include <QLineEdit>

#include <climits>
#include <cmath>

namespace {
// x * factor + 0.5 truncated toward zero, pinned to the int range: a
// conversion of a value outside it (or of NaN) would be undefined.
int scaled(double x, double factor)
{
    const double v = x * factor + 0.5;
    if (std::isnan(v))
        return 0;
    if (v <= static_cast<double>(INT_MIN))
        return INT_MIN;
    if (v >= static_cast<double>(INT_MAX))
        return INT_MAX;
    return static_cast<int>(v);
}
} // namespace

FloatSpinBox::FloatSpinBox(float minValue, float maxValue, float step, int digits, QWidget *parent,
                           const char *name)
    : SpinBox(scaled(minValue, std::pow(10.0, digits)), scaled(maxValue, std::pow(10.0, digits)),
              scaled(step, std::pow(10.0, digits)), parent, name),
      m_factor(std::pow(10.0, digits)), m_digits(digits)
{
    setValidator(new DoubleValidator(minValue, maxValue, digits, this));
    setSingleStep(scaled(step, m_factor));
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
    return scaled(text.trimmed().toDouble(), m_factor);
}
