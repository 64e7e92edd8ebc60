#pragma once

#include "common/testelements.h"
#include "description/condition.h"
#include "description/conditionnode.h"
#include "description/constraint.h"
#include "description/dependency.h"

#include <QWidget>

#include <memory>

// A setting that only counts how often a source asks it to re-check its
// rules: stands in for the dependents of the setting under test.
class CountingDependent : public TestValueElement
{
public:
    using TestValueElement::TestValueElement;
    bool checkConstraints(IElement *source, bool selfCheck) override
    {
        Q_UNUSED(selfCheck);
        ++checks;
        lastSource = source;
        return true;
    }
    int checks = 0;
    IElement *lastSource = nullptr;
};

// A rule of the given kind whose one condition tests "current == value" on
// the tested setting.
inline std::unique_ptr<Constraint> ruleOn(int kind, IElement *tested, const QString &value,
                                          bool selfChecked = true)
{
    auto rule = Constraint::create(kind);
    rule->selfChecked = selfChecked;
    auto condition = std::make_unique<Condition>();
    condition->addNode(std::make_unique<ConditionNode>(tested->id(), value, tested, ConditionNode::Equal));
    rule->addCondition(std::move(condition));
    return rule;
}

// The gateway rule: the mask, then the address, the checked value being the gateway.
inline std::unique_ptr<Constraint> gatewayRule(IElement *mask, IElement *address)
{
    auto rule = Constraint::create(Constraint::GatewayValidity);
    auto condition = std::make_unique<Condition>();
    condition->addNode(std::make_unique<ConditionNode>(mask->id(), QString(), mask, ConditionNode::Equal));
    condition->addNode(
        std::make_unique<ConditionNode>(address->id(), QString(), address, ConditionNode::Equal));
    rule->addCondition(std::move(condition));
    return rule;
}

// The settings panel a control is created in.
struct Panel : QWidget
{
    Panel() { resize(320, 120); }
};

#include "elements/boundaryelement.h"
#include "elements/floatelement.h"
#include "elements/sliderelement.h"
#include "elements/textelement.h"

// The element class the builders make for a value keyword.
inline std::unique_ptr<ConcreteElement> makeValueElement(const QByteArray &controlName, const QString &id,
                                                         const QString &current)
{
    std::unique_ptr<ConcreteElement> element;
    if (controlName == "INTEGER")
        element = std::make_unique<NumericElement>(controlName, nullptr, nullptr);
    else if (controlName == "FLOAT")
        element = std::make_unique<FloatElement>(controlName, nullptr, nullptr);
    else if (controlName == "SLIDER")
        element = std::make_unique<SliderElement>(controlName, nullptr, nullptr);
    else if (controlName == "STATICTEXT")
        element = std::make_unique<TextElement>(controlName, nullptr, nullptr);
    else if (controlName == "IPADDRESS" || controlName == "SUBNETMASK")
        element = std::make_unique<FactoryElement>(controlName, nullptr, nullptr);
    else
        element = std::make_unique<BoundaryElement>(controlName, nullptr, nullptr);
    element->setId(id);
    element->setTitle(id);
    element->setCurrent(current);
    element->setInitial(current);
    return element;
}
