#include "model/gatewayvalidityconstraint.h"

#include "model/condition.h"
#include "model/conditionnode.h"
#include "model/ielement.h"

#include <QStringList>
#include <QVariant>

#include <array>

namespace {

QString currentOf(IElement *element)
{
    const QObject *setting = element ? element->object() : nullptr;
    return setting ? setting->property("current").toString() : QString();
}

} // namespace

GatewayValidityConstraint::GatewayValidityConstraint() : Constraint(GatewayValidity)
{}

GatewayValidityConstraint::~GatewayValidityConstraint() = default;

bool GatewayValidityConstraint::evaluate(const QString &value) const
{
    if (!Constraint::evaluate(value))
        return false;
    if (conditions.size() != 1 || conditions.front()->nodes.size() != 2)
        return false;
    const ConditionNode *maskNode = conditions.front()->nodes[0].get();
    const ConditionNode *addressNode = conditions.front()->nodes[1].get();
    if (!maskNode->element || !maskNode->element->isConcrete() || !addressNode->element ||
        !addressNode->element->isConcrete())
        return false;

    const QStringList mask = currentOf(maskNode->element).split('.', Qt::KeepEmptyParts);
    const QStringList address = currentOf(addressNode->element).split('.', Qt::KeepEmptyParts);
    const QStringList gateway = value.split('.', Qt::KeepEmptyParts);
    if (mask.size() != 4 || address.size() != 4 || gateway.size() != 4)
        return false;

    for (int i = 0; i < 4; ++i) {
        std::array<bool, 3> ok{};
        const int maskPart = mask[i].toInt(&ok[0], 10);
        const int addressPart = address[i].toInt(&ok[1], 10);
        const int gatewayPart = gateway[i].toInt(&ok[2], 10);
        if (!ok[0] || !ok[1] || !ok[2])
            return false;
        if ((addressPart & maskPart) != (maskPart & gatewayPart))
            return false;
    }
    return true;
}

std::unique_ptr<Constraint> MakeConstraint(int kind)
{
    if (kind == Constraint::GatewayValidity)
        return std::make_unique<GatewayValidityConstraint>();
    return std::make_unique<Constraint>(kind);
}
