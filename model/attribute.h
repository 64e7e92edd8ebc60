#pragma once

#include <QString>
#include <QStringList>

class IElement;
class QObject;
class QVariant;

// One property change carried by a constraint: either a literal value, or a
// value read from a property of another setting, possibly one step further
// from the option that setting has selected. Only properties the classes
// declare are read or written; a write to any other name fails and leaves
// the object as it was.
class Attribute
{
public:
    Attribute() = default;
    Attribute(const QString &name, const QString &value);
    virtual ~Attribute();

    Attribute(const Attribute &) = delete;
    Attribute &operator=(const Attribute &) = delete;

    // Sets the property on target; false (mostly with a trace line) when it
    // cannot be done.
    virtual bool apply(IElement *target);

    // Property to set; used in lower case.
    QString name;
    // Literal value of a plain attribute.
    QString value;
    bool isReference = false;
    // Setting that supplies the value of a reference; not owned.
    IElement *source = nullptr;
    // One entry: a property of source. Two: a property of source naming one
    // of its options, then a property of that option.
    QStringList path;

protected:
    // The attribute's own algorithm on a given target.
    bool applyTo(IElement *target);

private:
    static QVariant readDeclared(const QObject *object, const QString &property);
    bool write(IElement *target, const QVariant &newValue) const;
};
