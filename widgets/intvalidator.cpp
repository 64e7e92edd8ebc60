#include "widgets/intvalidator.h"

IntValidator::IntValidator(QObject *parent, const char *name) : QIntValidator(parent)
{
    if (name)
        setObjectName(QString::fromLatin1(name));
    useDeviceNumbers();
}

IntValidator::IntValidator(int bottom, int top, QObject *parent, const char *name)
    : QIntValidator(bottom, top, parent)
{
    if (name)
        setObjectName(QString::fromLatin1(name));
    useDeviceNumbers();
}

// The texts checked here are the device's numbers, written with a dot and no
// group separators whatever the user's locale.
void IntValidator::useDeviceNumbers()
{
    setLocale(QLocale::c());
}

void IntValidator::fixup(QString &input) const
{
    // Text that is no number at all counts as 0 and is clamped like any other value.
    const int value = input.toInt(nullptr, 10);
    if (value < bottom())
        input = QString::number(bottom());
    else if (value > top())
        input = QString::number(top());
}
