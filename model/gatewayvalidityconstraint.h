#pragma once

#include "model/constraint.h"

#include <memory>

// The subnet rule of a gateway address: one condition with two nodes, the
// subnet mask and the address; the value checked is the gateway. It holds
// when the gateway lies in the address's subnet. Malformed input of any kind
// makes it fail rather than complain.
class GatewayValidityConstraint : public Constraint
{
public:
    GatewayValidityConstraint();
    ~GatewayValidityConstraint() override;

    [[nodiscard]] bool evaluate(const QString &value) const override;
};

// The rule for a kind of Constraint: a GatewayValidityConstraint for that
// kind, a plain Constraint otherwise.
[[nodiscard]] std::unique_ptr<Constraint> MakeConstraint(int kind);
