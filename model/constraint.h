#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class Attribute;
class Condition;
class IElement;

// One rule of a dependency: what happens to the setting (kind) when any of
// its conditions holds, with the option values and property changes that a
// kind Restrict rule applies. It owns its conditions and attributes.
class Constraint
{
public:
    enum Kind : int { Other = 0, Disable = 1, Enable = 2, Restrict = 3, GatewayValidity = 4, Hide = 5 };

    explicit Constraint(int kind = Other);
    virtual ~Constraint();

    Constraint(const Constraint &) = delete;
    Constraint &operator=(const Constraint &) = delete;

    // Whether the rule holds: as soon as one condition holds. The value is
    // only used by the gateway rule.
    [[nodiscard]] virtual bool evaluate(const QString &value) const;
    // Whether any node of any condition tests the setting with element's id.
    [[nodiscard]] virtual bool refersTo(IElement *element) const;

    // Kind of a rule tag (exact): "Disable", "Enable", "Constraint",
    // "GatewayValidity", "Hide"; any other tag gives Other.
    [[nodiscard]] static int kindFromTag(const QString &tag);
    // The "SELFCHECKED" flag: false only for "false" in any letter case.
    [[nodiscard]] static bool selfCheckedFromAttribute(const QString &value, bool present);

    Condition *addCondition(std::unique_ptr<Condition> condition);
    Attribute *addAttribute(std::unique_ptr<Attribute> attribute);

    int kind = Other;
    std::vector<std::unique_ptr<Condition>> conditions;
    // Option ids a Restrict rule leaves offered.
    QStringList values;
    std::vector<std::unique_ptr<Attribute>> attributes;
    // Whether the rule takes part when a setting checks itself.
    bool selfChecked = true;
};
