#pragma once

#include <QIntValidator>

// An integer validator that repairs out-of-range input by clamping it to the
// nearest bound instead of leaving the text for the user to correct.
class IntValidator : public QIntValidator
{
    Q_OBJECT
public:
    explicit IntValidator(QObject *parent = nullptr, const char *name = nullptr);
    IntValidator(int bottom, int top, QObject *parent = nullptr, const char *name = nullptr);

    void fixup(QString &input) const override;

private:
    void useDeviceNumbers();
};
