#pragma once

#include "model/concreteelement.h"

// A value setting with a factory default. Address and subnet mask settings
// are of this kind and get the four-cell address input.
class FactoryElement : public ConcreteElement
{
    Q_OBJECT
    Q_PROPERTY(QString factory READ factory WRITE setFactory)

public:
    FactoryElement(const QByteArray &controlName, NodeDesc *node, Element *parent);
    ~FactoryElement() override;

    QString factory() const { return m_factory; }
    // Also records that the setting has a factory value at all.
    void setFactory(const QString &value);

    QWidget *createControl(QWidget *parent) override;
    bool isFactory() const override;

    // Shows value in the control without reporting it back as an edit (the
    // caller sets current itself where needed), then re-checks dependents.
    virtual void setControlValue(const QString &value);
    virtual bool hasFactory() const;

protected:
    QString m_factory;
    bool m_hasFactory = false;
};
