#include "model/conditionnode.h"

#include "model/ielement.h"

#include <QVariant>

ConditionNode::ConditionNode(const QString &id, const QString &value, IElement *element, int op)
    : id(id), value(value), element(element), op(op)
{}

int ConditionNode::operatorFromKeyword(const QString &isValue, bool present)
{
    if (!present || isValue.isEmpty())
        return Equal;
    static const struct
    {
        const char *keyword;
        int op;
    } keywords[] = {{"EQUAL", Equal}, {"NOT", Not},
                    {"GREAT", Great}, {"GREATOREQUAL", GreatOrEqual},
                    {"LESS", Less},   {"LESSOREQUAL", LessOrEqual}};
    for (const auto &entry : keywords) {
        if (isValue == QLatin1String(entry.keyword))
            return entry.op;
    }
    return None;
}

bool ConditionNode::evaluate() const
{
    if (!element || !element->isConcrete())
        return false;
    if (value.isNull())
        return true;

    const QObject *setting = element->object();
    if (!setting)
        return false;
    // Values are text; the order is by character code, not by number.
    const int order = setting->property("current").toString().compare(value);
    switch (op) {
    case Equal:
        return order == 0;
    case Not:
        return order != 0;
    case Great:
        return order > 0;
    case GreatOrEqual:
        return order >= 0;
    case Less:
        return order < 0;
    case LessOrEqual:
        return order <= 0;
    default:
        return false;
    }
}
