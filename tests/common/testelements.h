#pragma once

#include "description/parameterlist.h"
#include "elements/element.h"

#include <QString>

// Stand-ins for the value and list settings, small enough to drive rules and
// attributes without the real element kinds: a value setting with the
// "current" and "max" properties, and a list setting that offers options.
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

class TestListElement : public TestValueElement
{
    Q_OBJECT

public:
    explicit TestListElement(const QString &id, const QString &current = QString(""))
        : TestValueElement(id, current, "PAPERSIZE")
    {}

    bool isList() const override { return true; }

    QObject *findOption(const QString &value) const override
    {
        for (const auto &option : options) {
            if (option->visible() && option->id() == value)
                return option.get();
        }
        return nullptr;
    }

    ParameterList options;
};
