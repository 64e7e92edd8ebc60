#include "model/condition.h"

#include "model/conditionnode.h"

Condition::Condition() = default;

Condition::~Condition() = default;

bool Condition::evaluate() const
{
    if (nodes.empty())
        return false;
    for (const auto &node : nodes) {
        if (!node->evaluate())
            return false;
    }
    return true;
}

ConditionNode *Condition::addNode(std::unique_ptr<ConditionNode> node)
{
    nodes.push_back(std::move(node));
    return nodes.back().get();
}
