// How SettingsParser reads the Dependencies section into dependency records
// and wires them to the elements.
#include "model/settingsparser.h"

#include "base/debuglog.h"
#include "model/attribute.h"
#include "model/condition.h"
#include "model/conditionnode.h"
#include "model/constraint.h"
#include "model/dependency.h"
#include "model/element.h"
#include "model/gatewayvalidityconstraint.h"
#include "model/refattribute.h"

#include <QFile>

namespace {
const QString DependenciesPath = QStringLiteral("root/Dependencies");
} // namespace

bool SettingsParser::readDependencies()
{
    if (!isValid()) {
        DebugLog("SettingsParser is invalid");
        return false;
    }
    const QStringList path = splitPath(DependenciesPath);
    QDomNode found = findPath(path);
    if (found.isNull())
        found = createPath(path);
    QDomElement deps = found.toElement();

    addBuiltInGatewayRule(deps);
    addExtraDependencies(deps);

    m_dependencyIndex.clear();
    m_dependencies.clear();
    for (QDomElement child = deps.firstChildElement(); !child.isNull(); child = child.nextSiblingElement()) {
        if (!m_limits.admit(DescriptionLimits::Rules))
            break;
        m_dependencies.push_back(createDependency(child));
        Dependency *dependency = m_dependencies.back().get();
        if (!m_dependencyIndex.contains(dependency->id))
            m_dependencyIndex.insert(dependency->id, dependency);
    }
    return true;
}

// Descriptions that name their address settings IPAddress, SubnetMask and
// Gateway get the subnet check of the gateway without declaring it.
void SettingsParser::addBuiltInGatewayRule(QDomElement &deps)
{
    QDomDocument doc = document();
    QDomNode gateway = childNode(deps, QStringLiteral("Gateway"));
    if (gateway.isNull())
        gateway = deps.appendChild(doc.createElement(QStringLiteral("Gateway")));
    if (!childNode(gateway, QStringLiteral("GatewayValidity")).isNull())
        return;
    QDomElement validity = doc.createElement(QStringLiteral("GatewayValidity"));
    QDomElement condition = doc.createElement(QStringLiteral("Condition"));
    condition.appendChild(doc.createElement(QStringLiteral("SubnetMask")));
    condition.appendChild(doc.createElement(QStringLiteral("IPAddress")));
    validity.appendChild(condition);
    gateway.appendChild(validity);
}

// Rules placed beside the program extend what the device declares. They are
// taken from the last to the first, so they end up in reverse file order.
void SettingsParser::addExtraDependencies(QDomElement &deps)
{
    QFile file(QStringLiteral("dependencies.xml"));
    const DomParser extra(&file);
    if (!extra.isValid())
        return;
    const QDomNode section = extra.findPath(splitPath(DependenciesPath));
    if (section.isNull())
        return;
    for (QDomNode child = section.lastChild(); !child.isNull();) {
        const QDomNode previous = child.previousSibling();
        if (child.isElement() && deps.appendChild(child).isNull())
            DebugLog("Can't add PaperSize dependency: %s", qPrintable(child.nodeName()));
        child = previous;
    }
}

std::unique_ptr<Dependency> SettingsParser::createDependency(const QDomElement &node) const
{
    auto dependency = std::make_unique<Dependency>(node.tagName(), findElement(node.tagName()));
    for (QDomElement child = node.firstChildElement(); !child.isNull(); child = child.nextSiblingElement()) {
        if (!m_limits.admit(DescriptionLimits::Rules))
            break;
        dependency->constraints.push_back(createConstraint(child));
    }
    return dependency;
}

std::unique_ptr<Constraint> SettingsParser::createConstraint(const QDomElement &node) const
{
    const QString selfChecked = QStringLiteral("SELFCHECKED");
    std::unique_ptr<Constraint> constraint = MakeConstraint(Constraint::kindFromTag(node.tagName()));
    constraint->selfChecked =
        Constraint::selfCheckedFromAttribute(attribute(node, selfChecked), hasAttribute(node, selfChecked));

    for (QDomElement part = node.firstChildElement(); !part.isNull(); part = part.nextSiblingElement()) {
        const QString tag = part.tagName();
        if (tag == QLatin1String("Condition")) {
            if (!m_limits.admit(DescriptionLimits::Conditions))
                break;
            constraint->addCondition(createCondition(part));
        } else if (tag == QLatin1String("Value")) {
            for (QDomElement value = part.firstChildElement();
                 !value.isNull() && m_limits.admit(DescriptionLimits::Changes);
                 value = value.nextSiblingElement())
                constraint->values.append(value.tagName());
        } else if (tag == QLatin1String("Attributes")) {
            for (QDomElement change = part.firstChildElement();
                 !change.isNull() && m_limits.admit(DescriptionLimits::Changes);
                 change = change.nextSiblingElement()) {
                if (!hasAttribute(change, QStringLiteral("NAME")) ||
                    !hasAttribute(change, QStringLiteral("VALUE")))
                    continue;
                if (change.tagName() == QLatin1String("Attribute"))
                    constraint->addAttribute(createAttribute(change));
                else if (change.tagName() == QLatin1String("RefAttribute"))
                    constraint->addAttribute(createRefAttribute(change));
            }
        }
    }
    return constraint;
}

std::unique_ptr<Condition> SettingsParser::createCondition(const QDomElement &node) const
{
    auto condition = std::make_unique<Condition>();
    for (QDomElement test = node.firstChildElement();
         !test.isNull() && m_limits.admit(DescriptionLimits::Conditions); test = test.nextSiblingElement())
        condition->addNode(createConditionNode(test));
    return condition;
}

std::unique_ptr<ConditionNode> SettingsParser::createConditionNode(const QDomElement &node) const
{
    const QString is = QStringLiteral("IS");
    return std::make_unique<ConditionNode>(
        node.tagName(), attribute(node, QStringLiteral("CURRENT")), findElement(node.tagName()),
        ConditionNode::operatorFromKeyword(attribute(node, is), hasAttribute(node, is)));
}

std::unique_ptr<Attribute> SettingsParser::createAttribute(const QDomElement &node) const
{
    auto change = std::make_unique<Attribute>(attribute(node, QStringLiteral("NAME")),
                                              attribute(node, QStringLiteral("VALUE")));
    resolveReference(*change, node);
    return change;
}

std::unique_ptr<RefAttribute> SettingsParser::createRefAttribute(const QDomElement &node) const
{
    DebugLog("$$$$$$$$$$$$$ SettingsParser::createRefAttribute() $$$$$$$$$$$$$$$$$$$$");
    // "Setting#property": the property of another setting is the one set.
    const QString fullName = attribute(node, QStringLiteral("NAME"));
    const QStringList target = fullName.split(QLatin1Char('#'), Qt::SkipEmptyParts);
    auto change = std::make_unique<RefAttribute>(target.size() == 2 ? target.at(1) : fullName,
                                                 attribute(node, QStringLiteral("VALUE")));
    if (!target.isEmpty()) {
        change->target = findElement(target.first());
        change->targetPath = target.mid(1);
    }
    resolveReference(*change, node);
    return change;
}

// With REF="TRUE" the value names where it is read from: "Setting#property"
// or "Setting#property#optionProperty".
void SettingsParser::resolveReference(Attribute &change, const QDomElement &node) const
{
    const QString ref = QStringLiteral("REF");
    change.isReference = hasAttribute(node, ref) && attribute(node, ref).toUpper() == QLatin1String("TRUE");
    if (!change.isReference)
        return;
    const QStringList source = change.value.split(QLatin1Char('#'), Qt::SkipEmptyParts);
    if (source.isEmpty())
        return;
    change.source = findElement(source.first());
    change.path = source.mid(1);
}

void SettingsParser::wireDependencies()
{
    // Which records test a setting, in list order, so each element is wired
    // by one lookup. A record never makes its own setting depend on itself.
    QHash<QString, QList<Dependency *>> dependentsByNode;
    for (const auto &dependency : m_dependencies) {
        for (const auto &constraint : dependency->constraints) {
            for (const auto &condition : constraint->conditions) {
                for (const auto &node : condition->nodes) {
                    if (node->id == dependency->id)
                        continue;
                    QList<Dependency *> &records = dependentsByNode[node->id];
                    if (records.isEmpty() || records.last() != dependency.get())
                        records.append(dependency.get());
                }
            }
        }
    }
    walkLookupOrder([&](Element *element) {
        wireElement(element, dependentsByNode);
        return true;
    });
}

void SettingsParser::wireElement(Element *element,
                                 const QHash<QString, QList<Dependency *>> &dependentsByNode)
{
    element->setDependency(findDependency(element->id()));
    const auto found = dependentsByNode.constFind(element->id());
    if (found == dependentsByNode.constEnd())
        return;
    for (Dependency *dependency : found.value())
        element->addDependentElement(dependency->owner);
}
