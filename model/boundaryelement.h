#pragma once

#include "model/factoryelement.h"

// A value setting with an upper bound. For text settings (edit boxes and
// dial strings) the bound is the maximum length; the numeric kinds reuse it
// as the largest value.
class BoundaryElement : public FactoryElement
{
    Q_OBJECT
    Q_PROPERTY(QString max READ max WRITE setMax)

public:
    BoundaryElement(const QByteArray &controlName, NodeDesc *node, Element *parent);
    ~BoundaryElement() override;

    QString max() const { return m_max; }
    // A null text means "no bound"; a different text is reported through maxChanged.
    void setMax(const QString &value);

    QWidget *createControl(QWidget *parent) override;

    virtual bool hasMax() const;

    // A maximum length from device text, usable for QLineEdit: numbers are
    // kept inside 0..32767, digits too long for a number mean the largest
    // length, and anything else counts as 0.
    [[nodiscard]] static int lengthLimit(const QString &value);

signals:
    void maxChanged(const QString &value);

public slots:
    // Cuts the value (and the editor) to a lowered maximum length.
    virtual void maxChange(const QString &value);

protected:
    QString m_max;
    bool m_hasMax = false;
};
