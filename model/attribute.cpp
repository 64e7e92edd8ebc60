#include "model/attribute.h"

#include "base/debuglog.h"
#include "model/ielement.h"

#include <QMetaObject>
#include <QObject>
#include <QVariant>

Attribute::Attribute(const QString &name, const QString &value) : name(name), value(value)
{}

Attribute::~Attribute() = default;

bool Attribute::apply(IElement *target)
{
    return applyTo(target);
}

QVariant Attribute::readDeclared(const QObject *object, const QString &property)
{
    // QObject::property would also find dynamic properties; only what the
    // class declares is part of a setting.
    const QByteArray key = property.toLower().toLatin1();
    if (!object || object->metaObject()->indexOfProperty(key.constData()) < 0)
        return QVariant();
    return object->property(key.constData());
}

bool Attribute::write(IElement *target, const QVariant &newValue) const
{
    QObject *element = target ? target->object() : nullptr;
    const QByteArray key = name.toLower().toLatin1();
    // setProperty on an undeclared name would add a dynamic property instead of failing.
    if (!element || element->metaObject()->indexOfProperty(key.constData()) < 0)
        return false;
    return element->setProperty(key.constData(), newValue);
}

bool Attribute::applyTo(IElement *target)
{
    const QString targetId = target ? target->id() : QString();
    if (!isReference) {
        DebugLog("Attribute::apply() \"%s\" for %s to [%s]", qPrintable(name), qPrintable(targetId),
                 qPrintable(value));
        return write(target, QVariant(value));
    }

    if (!source) {
        DebugLog("Attribute::apply(): Error: referenced attribute doesn't have source element");
        return false;
    }
    const QObject *sourceElement = source->object();

    if (path.size() == 2) {
        if (!source->isList()) {
            DebugLog(
                "Attribute::apply(): Error: referenced attribute has dept 2 but is used for not ListElement");
            return false;
        }
        const QVariant selected = readDeclared(sourceElement, path.at(0));
        if (!selected.isValid()) {
            DebugLog(
                "Attribute::apply(): Error: referenced attribute has dept 2 but can't get first property");
            return false;
        }
        const QObject *option = source->findOption(selected.toString());
        if (!option) {
            DebugLog("Attribute::apply(): Error: referenced attribute has dept 2 but can't get specified "
                     "parameter\n\tcontrol id: %s\n\tvalue: %s\n",
                     qPrintable(source->id()), qPrintable(selected.toString()));
            return false;
        }
        const QVariant optionValue = readDeclared(option, path.at(1));
        if (!optionValue.isValid()) {
            DebugLog("Attribute::apply(): Error: referenced attribute has dept 2 but can't get parameter's "
                     "attribute");
            return false;
        }
        DebugLog("Attribute::apply() \"%s\" for %s to [%s]", qPrintable(name), qPrintable(targetId),
                 qPrintable(optionValue.toString()));
        return write(target, optionValue);
    }

    if (path.size() == 1) {
        const QVariant sourceValue = readDeclared(sourceElement, path.at(0));
        if (!sourceValue.isValid())
            return false;
        DebugLog("Attribute::apply() \"%s\" for %s to [%s]", qPrintable(name), qPrintable(targetId),
                 qPrintable(sourceValue.toString()));
        return write(target, sourceValue);
    }

    return false;
}
