#pragma once

#include <QList>
#include <QString>

class Constraint;
class Dependency;
class Element;
class NodeDesc;
class QObject;
class QWidget;

// What the rest of the program sees of a setting. Elements are held through
// this interface (or through Element) everywhere outside elements/.
class IElement
{
public:
    virtual ~IElement() = default;

    virtual QString id() const = 0;
    virtual int type() const = 0;
    virtual const char *typeName() const = 0;
    virtual QList<Element *> dependentElements() const = 0;
    virtual Dependency *dependency() const = 0;
    virtual NodeDesc *node() const = 0;
    virtual void setId(const QString &id) = 0;
    virtual void addDependentElement(IElement *element) = 0;
    virtual void setDependency(Dependency *dependency) = 0;
    virtual QWidget *createControl(QWidget *parent) = 0;
    virtual void deleteControl() = 0;
    virtual void showControl() = 0;
    virtual void hideControl() = 0;
    virtual QWidget *control() const = 0;
    virtual bool checkConstraints(IElement *source, bool selfCheck) = 0;
    virtual bool prepareConstraints() = 0;
    virtual void applyConstraintValues(Constraint *constraint) = 0;
    virtual void applyConstraintAttributes(Constraint *constraint) = 0;
    virtual void checkDependencies() = 0;
    virtual bool isConcrete() const = 0;
    virtual bool isComplex() const = 0;
    virtual bool isFactory() const = 0;
    virtual bool isList() const = 0;
    virtual bool isValid() = 0;
    virtual QString dump() const = 0;
    virtual QString temp() const = 0;
    virtual void setTemp(const QString &value) = 0;
    virtual void setControl(QWidget *control) = 0;

    // The setting as an object: the rules read and write the properties its
    // class declares, and nothing else.
    virtual QObject *object() = 0;
    // The option object of a list setting for a value; null elsewhere.
    virtual QObject *findOption(const QString &value) const = 0;
};
