#pragma once

#include "model/boundaryelement.h"

class SpinBox;

// An integer setting with a range and a step, shown in a spin box. Value,
// bounds and step stay text like every value; they become numbers only on
// their way to the widget.
class NumericElement : public BoundaryElement
{
    Q_OBJECT
    Q_PROPERTY(QString min READ min WRITE setMin)
    Q_PROPERTY(QString step READ step WRITE setStep)

public:
    NumericElement(const QByteArray &controlName, NodeDesc *node, Element *parent);
    ~NumericElement() override;

    QString min() const { return m_min; }
    void setMin(const QString &value);
    QString step() const { return m_step; }
    void setStep(const QString &value);

    QWidget *createControl(QWidget *parent) override;
    // Integer settings are pulled into their range here, silently.
    bool isValid() override;
    void setControlValue(const QString &value) override;

    // Base 10; text that is no int counts as 0.
    [[nodiscard]] static int toInt(const QString &value);

signals:
    void minChanged(const QString &value);
    void stepChanged(const QString &value);

public slots:
    void maxChange(const QString &value) override;
    virtual void minChange(const QString &value);
    virtual void stepChange(const QString &value);

protected:
    // The spin box of an open control, or null.
    SpinBox *spinControl() const;
    // The bound signals reach the reactions from the first control on, and
    // keep doing so while the setting is not shown.
    void connectBoundReactions();

    QString m_min;
    QString m_step;
};
