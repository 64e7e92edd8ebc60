#pragma once

#include "model/numericelement.h"

// A decimal setting. Its spin box works on integers: every number on the way
// to the widget is scaled by 10^digits (x * 10^d + 0.5, truncated toward zero).
class FloatElement : public NumericElement
{
    Q_OBJECT
    Q_PROPERTY(QString digits READ digits WRITE setDigits)

public:
    FloatElement(const QByteArray &controlName, NodeDesc *node, Element *parent);
    ~FloatElement() override;

    QString digits() const { return m_digits; }
    void setDigits(const QString &value);

    QWidget *createControl(QWidget *parent) override;
    bool isValid() override;
    void setControlValue(const QString &value) override;

    // Number of decimals the widget can work with: the digits text as an
    // int, kept within 0..9 so that 10^digits fits the widget's integers.
    [[nodiscard]] static int digitCount(const QString &digits);
    // The value as the widget's integer: converted as a double.
    [[nodiscard]] static int scaledValue(const QString &value, int digits);
    // A bound or step as the widget's integer: converted as a float first.
    [[nodiscard]] static int scaledBound(const QString &value, int digits);
    // Single precision, with text that is no finite number counting as 0.
    [[nodiscard]] static float toFloat(const QString &value);

signals:
    void digitsChanged(const QString &value);

public slots:
    void maxChange(const QString &value) override;
    void minChange(const QString &value) override;
    void stepChange(const QString &value) override;
    virtual void digitsChange(const QString &value);

protected:
    QString m_digits;
};
