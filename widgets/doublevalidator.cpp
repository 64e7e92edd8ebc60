#include "widgets/doublevalidator.h"

#include <QRegularExpression>

DoubleValidator::DoubleValidator(QObject *parent, const char *name) : QDoubleValidator(parent)
{
    if (name)
        setObjectName(QString::fromLatin1(name));
    useDeviceNumbers();
}

DoubleValidator::DoubleValidator(double bottom, double top, int decimals, QObject *parent, const char *name)
    : QDoubleValidator(bottom, top, decimals, parent)
{
    if (name)
        setObjectName(QString::fromLatin1(name));
    useDeviceNumbers();
}

// The texts checked here are the device's numbers, written with a dot and no
// group separators whatever the user's locale.
void DoubleValidator::useDeviceNumbers()
{
    setLocale(QLocale::c());
}

void DoubleValidator::fixup(QString &input) const
{
    // Unparsable text counts as 0, so it is clamped like a number.
    const double value = input.trimmed().toDouble();
    if (value < bottom()) {
        input = QString::number(bottom(), 'f', decimals());
        return;
    }
    if (value > top()) {
        input = QString::number(top(), 'f', decimals());
        return;
    }

    static const QRegularExpression plainDecimal(
        QRegularExpression::anchoredPattern(QStringLiteral("(\\d*)([\\.])(\\d*)")));
    const QRegularExpressionMatch match = plainDecimal.match(input);
    if (!match.hasMatch())
        return;
    QString integerPart = match.captured(1);
    QString fraction = match.captured(3);
    if (fraction.length() <= decimals() && !integerPart.isEmpty())
        return;
    // Cut, never round: the digits the user typed stay as written.
    fraction = decimals() > 0 ? fraction.left(decimals()) : QStringLiteral("0");
    if (integerPart.isEmpty())
        integerPart = QStringLiteral("0");
    input = integerPart + QLatin1Char('.') + fraction;
}
