#pragma once

#include <QDoubleValidator>

// A decimal validator whose fixup clamps to the range and trims surplus
// decimals, so a spin box can turn almost any typed number into a value.
class DoubleValidator : public QDoubleValidator
{
    Q_OBJECT
public:
    explicit DoubleValidator(QObject *parent = nullptr, const char *name = nullptr);
    DoubleValidator(double bottom, double top, int decimals, QObject *parent = nullptr,
                    const char *name = nullptr);

    void fixup(QString &input) const override;

private:
    void useDeviceNumbers();
};
