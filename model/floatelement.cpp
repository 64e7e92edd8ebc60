#include "model/floatelement.h"

#include "base/debuglog.h"
#include "model/elementtype.h"
#include "widgets/floatspinbox.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

const int RowHeight = 22;
const int MostDigits = 9;

int truncatedScale(double x, int digits)
{
    const double scaled = x * std::pow(10.0, digits) + 0.5;
    // Converting a double outside int's range is undefined; pin it to the ends.
    if (!(scaled > double(INT_MIN)))
        return std::isnan(scaled) ? 0 : INT_MIN;
    if (scaled >= double(INT_MAX))
        return INT_MAX;
    return static_cast<int>(scaled);
}

// FloatSpinBox scales its float arguments itself; keep them where the
// scaled integer still fits.
float widgetBound(float x, int digits)
{
    const double limit = (double(INT_MAX) - 1.0) / std::pow(10.0, digits);
    return float(std::clamp(double(x), -limit, limit));
}

} // namespace

FloatElement::FloatElement(const QByteArray &controlName, NodeDesc *node, Element *parent)
    : NumericElement(controlName, node, parent)
{}

FloatElement::~FloatElement() = default;

void FloatElement::setDigits(const QString &value)
{
    const bool differs = value != m_digits || value.isNull() != m_digits.isNull();
    m_digits = value;
    if (differs)
        emit digitsChanged(m_digits);
}

int FloatElement::digitCount(const QString &digits)
{
    return std::clamp(toInt(digits), 0, MostDigits);
}

float FloatElement::toFloat(const QString &value)
{
    bool ok = false;
    const float number = value.toFloat(&ok);
    return ok && std::isfinite(number) ? number : 0.0f;
}

int FloatElement::scaledValue(const QString &value, int digits)
{
    bool ok = false;
    const double number = value.toDouble(&ok);
    return truncatedScale(ok && std::isfinite(number) ? number : 0.0, digits);
}

int FloatElement::scaledBound(const QString &value, int digits)
{
    return truncatedScale(double(toFloat(value)), digits);
}

QWidget *FloatElement::createControl(QWidget *parent)
{
    DebugLog("FloatElement::createControl:\n%s", qPrintable(dump()));
    QWidget *row = createRow(parent, RowHeight);
    const int digits = digitCount(m_digits);
    float step = toFloat(m_step);
    // A step of 0 would leave the arrows dead; one unit of the last decimal moves.
    if (step == 0.0f)
        step = float(1.0 / std::pow(10.0, digits));
    DebugLog("FloatElement::createControl(): step = %f", double(step));

    auto *spin = new FloatSpinBox(widgetBound(toFloat(m_min), digits), widgetBound(toFloat(m_max), digits),
                                  widgetBound(step, digits), digits, row);
    spin->setValue(scaledValue(m_current, digits));
    connect(spin, &SpinBox::spinChanged, this, &ConcreteElement::valueChange);
    connectBoundReactions();
    connect(this, &FloatElement::digitsChanged, this, &FloatElement::digitsChange, Qt::UniqueConnection);
    return finishRow(row, spin);
}

void FloatElement::setControlValue(const QString &value)
{
    if (SpinBox *spin = spinControl()) {
        disconnect(spin, &SpinBox::spinChanged, this, &ConcreteElement::valueChange);
        spin->setValue(scaledValue(value, digitCount(m_digits)));
        connect(spin, &SpinBox::spinChanged, this, &ConcreteElement::valueChange);
    }
    checkDependencies();
}

bool FloatElement::isValid()
{
    DebugLog("FloatElement::isValid() for '%s'", qPrintable(m_id));
    if (m_type == stFloat) {
        const float value = toFloat(m_current.trimmed());
        bool outside = false;
        if (toFloat(m_min) > value) {
            DebugLog("FloatElement::isValid(): current < min. New current=%s", qPrintable(m_current));
            outside = true;
        } else if (toFloat(m_max) < value) {
            DebugLog("FloatElement::isValid(): current > max. New current=%s", qPrintable(m_current));
            outside = true;
        }
        // The spin box never holds a value outside its range: showing its
        // value again replaces the typed text, and the spin box reports the
        // new text, which becomes current.
        if (outside) {
            if (SpinBox *spin = spinControl())
                spin->refresh();
        }
    }
    return NumericElement::isValid();
}

void FloatElement::maxChange(const QString &value)
{
    if (toFloat(value) < toFloat(m_current))
        setCurrent(value);
    if (SpinBox *spin = spinControl())
        spin->setMaximum(scaledBound(value, digitCount(m_digits)));
}

void FloatElement::minChange(const QString &value)
{
    if (toFloat(m_current) < toFloat(value))
        setCurrent(value);
    if (SpinBox *spin = spinControl())
        spin->setMinimum(scaledBound(value, digitCount(m_digits)));
}

void FloatElement::stepChange(const QString &value)
{
    // Unlike createControl, a step set later is taken as it is, 0 included.
    if (SpinBox *spin = spinControl())
        spin->setSingleStep(scaledBound(value, digitCount(m_digits)));
}

void FloatElement::digitsChange(const QString &value)
{
    SpinBox *spin = spinControl();
    if (!spin)
        return;
    const int digits = digitCount(value);
    spin->setMaximum(scaledBound(m_max, digits));
    spin->setMinimum(scaledBound(m_min, digits));
    spin->setSingleStep(scaledBound(m_step, digits));
}
