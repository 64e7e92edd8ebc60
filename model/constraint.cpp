#include "model/constraint.h"

#include "model/attribute.h"
#include "model/condition.h"
#include "model/conditionnode.h"
#include "model/ielement.h"

Constraint::Constraint(int kind) : kind(kind)
{}

Constraint::~Constraint() = default;

bool Constraint::evaluate(const QString &value) const
{
    Q_UNUSED(value);
    for (const auto &condition : conditions) {
        if (condition->evaluate())
            return true;
    }
    return false;
}

bool Constraint::refersTo(IElement *element) const
{
    if (!element)
        return false;
    const QString elementId = element->id();
    for (const auto &condition : conditions) {
        for (const auto &node : condition->nodes) {
            if (node->id == elementId)
                return true;
        }
    }
    return false;
}

int Constraint::kindFromTag(const QString &tag)
{
    if (tag == QLatin1String("Disable"))
        return Disable;
    if (tag == QLatin1String("Enable"))
        return Enable;
    if (tag == QLatin1String("GatewayValidity"))
        return GatewayValidity;
    if (tag == QLatin1String("Hide"))
        return Hide;
    if (tag == QLatin1String("Constraint"))
        return Restrict;
    return Other;
}

bool Constraint::selfCheckedFromAttribute(const QString &value, bool present)
{
    if (!present)
        return true;
    return value.toLower() != QLatin1String("false");
}

Condition *Constraint::addCondition(std::unique_ptr<Condition> condition)
{
    conditions.push_back(std::move(condition));
    return conditions.back().get();
}

Attribute *Constraint::addAttribute(std::unique_ptr<Attribute> attribute)
{
    attributes.push_back(std::move(attribute));
    return attributes.back().get();
}
