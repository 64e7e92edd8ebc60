#include "model/numericelement.h"

#include "base/debuglog.h"
#include "model/elementtype.h"
#include "widgets/spinbox.h"

namespace {
const int RowHeight = 22;
}

NumericElement::NumericElement(const QByteArray &controlName, NodeDesc *node, Element *parent)
    : BoundaryElement(controlName, node, parent)
{}

NumericElement::~NumericElement() = default;

void NumericElement::setMin(const QString &value)
{
    const bool differs = value != m_min || value.isNull() != m_min.isNull();
    m_min = value;
    if (differs)
        emit minChanged(m_min);
}

void NumericElement::setStep(const QString &value)
{
    const bool differs = value != m_step || value.isNull() != m_step.isNull();
    m_step = value;
    if (differs)
        emit stepChanged(m_step);
}

int NumericElement::toInt(const QString &value)
{
    bool ok = false;
    const int number = value.toInt(&ok, 10);
    return ok ? number : 0;
}

SpinBox *NumericElement::spinControl() const
{
    return qobject_cast<SpinBox *>(m_pControl.data());
}

void NumericElement::connectBoundReactions()
{
    connect(this, &BoundaryElement::maxChanged, this, &BoundaryElement::maxChange, Qt::UniqueConnection);
    connect(this, &NumericElement::minChanged, this, &NumericElement::minChange, Qt::UniqueConnection);
    connect(this, &NumericElement::stepChanged, this, &NumericElement::stepChange, Qt::UniqueConnection);
}

QWidget *NumericElement::createControl(QWidget *parent)
{
    DebugLog("NumericElement::createControl:\n%s", qPrintable(dump()));
    QWidget *row = createRow(parent, RowHeight);
    auto *spin = new SpinBox(toInt(m_min), toInt(m_max), toInt(m_step), row);
    spin->setValue(toInt(m_current));
    connect(spin, &SpinBox::spinChanged, this, &ConcreteElement::valueChange);
    connectBoundReactions();
    return finishRow(row, spin);
}

void NumericElement::setControlValue(const QString &value)
{
    if (SpinBox *spin = spinControl()) {
        disconnect(spin, &SpinBox::spinChanged, this, &ConcreteElement::valueChange);
        spin->setValue(toInt(value));
        spin->refresh();
        connect(spin, &SpinBox::spinChanged, this, &ConcreteElement::valueChange);
    }
    checkDependencies();
}

bool NumericElement::isValid()
{
    DebugLog("NumericElement::isValid() for '%s'", qPrintable(m_id));
    // Sliders cannot leave their range; only typed integers can.
    if (m_type == stInteger) {
        const int value = toInt(m_current);
        if (value < toInt(m_min)) {
            setCurrent(m_min);
            setControlValue(m_current);
            DebugLog("NumericElement::isValid(): current < min. New current=%s", qPrintable(m_current));
        } else if (value > toInt(m_max)) {
            setCurrent(m_max);
            setControlValue(m_current);
            DebugLog("NumericElement::isValid(): current > max. New current=%s", qPrintable(m_current));
        }
    }
    return ConcreteElement::isValid();
}

void NumericElement::maxChange(const QString &value)
{
    const int bound = toInt(value);
    if (bound < toInt(m_current))
        setCurrent(value);
    // A raised bound must reach the spin box as well as a lowered one.
    if (SpinBox *spin = spinControl())
        spin->setMaximum(bound);
}

void NumericElement::minChange(const QString &value)
{
    const int bound = toInt(value);
    if (toInt(m_current) < bound)
        setCurrent(value);
    if (SpinBox *spin = spinControl())
        spin->setMinimum(bound);
}

void NumericElement::stepChange(const QString &value)
{
    if (SpinBox *spin = spinControl())
        spin->setSingleStep(toInt(value));
}
