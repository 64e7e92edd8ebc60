#pragma once

#include "model/element.h"

#include <QString>

// A stand-in for a value setting, small enough to drive rules and attributes
// without the real element kinds: it has the "current" and "max" properties.
class TestValueElement : public Element
{
    Q_OBJECT
    Q_PROPERTY(QString current READ current WRITE setCurrent)
    Q_PROPERTY(QString max READ max WRITE setMax)

public:
    explicit TestValueElement(const QString &id, const QString &current = QString(""),
                              const QByteArray &controlName = "EDITBOX")
        : Element(controlName, nullptr, nullptr), m_current(current)
    {
        setId(id);
    }

    bool isConcrete() const override { return true; }

    QString current() const { return m_current; }
    void setCurrent(const QString &value) { m_current = value; }
    QString max() const { return m_max; }
    void setMax(const QString &value) { m_max = value; }

private:
    QString m_current;
    QString m_max{""};
};
