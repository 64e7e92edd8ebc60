#include "model/enumerate.h"

#include "base/debuglog.h"
#include "model/complexelement.h"
#include "model/concreteelement.h"
#include "model/factoryelement.h"
#include "model/nodedesc.h"

#include <QString>

namespace {

void logStop(const Element *element)
{
    DebugLog("retcode = false for '%s'", qPrintable(element->id()));
}

// Every value setting is a ConcreteElement; the dynamic cast only guards a
// kind that claims to hold a value without being one.
ConcreteElement *valueSetting(Element *element)
{
    if (!element || !element->isConcrete())
        return nullptr;
    return qobject_cast<ConcreteElement *>(element);
}

void logValues(const ConcreteElement *setting)
{
    DebugLog("id: %s\n\tvalue: %s\n\tinit: %s", qPrintable(setting->id()), qPrintable(setting->current()),
             qPrintable(setting->initial()));
}

} // namespace

bool enumerate(ComplexElement *group, EnumerateCallback callback, void *argument)
{
    if (!group || !callback)
        return false;
    DebugLog(" enumerate %s", qPrintable(group->id()));
    if (!callback(group, argument)) {
        logStop(group);
        return false;
    }
    DebugLog("elements().count() = %d", int(group->elements().size()));
    for (Element *member : group->elements()) {
        bool goOn;
        if (member->isComplex())
            goOn = enumerate(static_cast<ComplexElement *>(member), callback, argument);
        else
            goOn = callback(member, argument);
        if (!goOn) {
            logStop(member);
            return false;
        }
    }
    DebugLog("retcode = true for '%s'", qPrintable(group->id()));
    return true;
}

bool enumerateMembers(ComplexElement *group, EnumerateCallback callback, void *argument)
{
    if (!group || !callback)
        return false;
    for (Element *member : group->elements()) {
        if (!callback(member, argument)) {
            logStop(member);
            return false;
        }
    }
    return true;
}

bool enumerate(NodeDesc *node, EnumerateCallback callback, void *argument)
{
    if (!node || !callback)
        return false;
    DebugLog("enumerate %s", qPrintable(node->id()));
    for (const auto &owned : node->elements()) {
        Element *element = owned.get();
        const bool goOn = element->isComplex()
                              ? enumerate(static_cast<ComplexElement *>(element), callback, argument)
                              : callback(element, argument);
        if (!goOn)
            return false;
    }
    for (const auto &child : node->children()) {
        if (!enumerate(child.get(), callback, argument))
            return false;
    }
    return true;
}

bool ValidateCallback(Element *element, void *argument)
{
    Q_UNUSED(argument);
    DebugLog("validateChanges for '%s'", qPrintable(element->id()));
    if (!element->isConcrete())
        return true;
    return element->isValid();
}

bool AcceptCallback(Element *element, void *argument)
{
    Q_UNUSED(argument);
    ConcreteElement *setting = valueSetting(element);
    if (!setting)
        return true;
    setting->setInitial(setting->current());
    // The object name holds the committed value the change document compares with.
    setting->setObjectName(QString::fromLatin1(setting->current().toLatin1()));
    logValues(setting);
    return true;
}

bool RestoreCallback(Element *element, void *argument)
{
    Q_UNUSED(argument);
    ConcreteElement *setting = valueSetting(element);
    if (!setting)
        return true;
    setting->setCurrent(setting->initial());
    logValues(setting);
    return true;
}

bool ResetToFactoryCallback(Element *element, void *argument)
{
    Q_UNUSED(argument);
    if (!element || !element->isFactory())
        return true;
    auto *setting = qobject_cast<FactoryElement *>(element);
    if (!setting || !setting->hasFactory())
        return true;
    const QString factory = setting->factory();
    if (setting->current() != factory) {
        setting->setCurrent(factory);
        setting->setControlValue(factory);
    }
    return true;
}

bool CollectHelpCallback(Element *element, void *argument)
{
    auto *text = static_cast<QString *>(argument);
    if (text)
        // The help pop-up is rich text; titles and descriptions come from the
        // device and are escaped so that they cannot bring markup into it.
        *text += QStringLiteral("*%1<br>%2<br><br>")
                     .arg(element->title().toHtmlEscaped(), element->desc().toHtmlEscaped());
    return true;
}
