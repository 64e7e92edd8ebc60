#pragma once

#include "common/datatable.h"
#include "common/testelements.h"
#include "model/boundaryelement.h"
#include "model/condition.h"
#include "model/conditionnode.h"
#include "model/constraint.h"
#include "model/dependency.h"
#include "model/floatelement.h"
#include "model/gatewayvalidityconstraint.h"
#include "model/sliderelement.h"
#include "model/textelement.h"

#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include <memory>

// A setting that records which sources asked it to re-check its rules:
// stands in for the dependents of the setting under test.
class CountingDependent : public TestValueElement
{
public:
    using TestValueElement::TestValueElement;
    bool checkConstraints(IElement *source, bool) override
    {
        sources << (source ? source->id() : QString());
        return true;
    }
    QStringList sources;
};

// A rule of the given kind whose one condition tests "current == value" on
// the tested setting.
inline std::unique_ptr<Constraint> ruleOn(int kind, IElement *tested, const QString &value,
                                          bool selfChecked = true)
{
    auto rule = MakeConstraint(kind);
    rule->selfChecked = selfChecked;
    auto condition = std::make_unique<Condition>();
    condition->addNode(std::make_unique<ConditionNode>(tested->id(), value, tested, ConditionNode::Equal));
    rule->addCondition(std::move(condition));
    return rule;
}

// The first argument of every signal a spy caught, as text.
inline QStringList reported(const QSignalSpy &spy)
{
    QStringList values;
    for (const QList<QVariant> &arguments : spy)
        values << arguments.at(0).toString();
    return values;
}

// The settings panel a control is created in.
using Panel = QWidget;

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

// A setting with its bounds as the description gives them; bounds its kind
// does not have are left out.
inline std::unique_ptr<ConcreteElement> makeNumeric(const QByteArray &controlName, const QString &current,
                                                    const QString &min, const QString &max,
                                                    const QString &step, const QString &digits = QString())
{
    auto element = makeValueElement(controlName, "Density", current);
    for (const auto &[name, value] : {std::pair{"min", min}, std::pair{"max", max}, std::pair{"step", step},
                                      std::pair{"digits", digits}}) {
        if (!value.isNull() && element->metaObject()->indexOfProperty(name) >= 0)
            element->setProperty(name, value);
    }
    return element;
}

// A setting shown in its own panel, with a dependent that counts the re-checks
// it asks for and a spy on the values it reports (from before its control
// was created).
template <typename ElementType> struct Shown
{
    explicit Shown(std::unique_ptr<ElementType> shownElement) : element(std::move(shownElement))
    {
        element->addDependentElement(&dependent);
        row = element->createControl(&panel);
    }
    std::unique_ptr<ElementType> element;
    CountingDependent dependent{"Watcher"};
    Panel panel;
    QSignalSpy changed{element.get(), &ConcreteElement::valueChanged};
    QWidget *row = nullptr;
};
