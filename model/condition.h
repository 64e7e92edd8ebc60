#pragma once

#include <memory>
#include <vector>

class ConditionNode;

// A conjunction of condition nodes in document order; it owns them. A
// condition without nodes never holds.
class Condition
{
public:
    Condition();
    ~Condition();

    Condition(const Condition &) = delete;
    Condition &operator=(const Condition &) = delete;

    // Stops at the first node that does not hold.
    [[nodiscard]] bool evaluate() const;

    // Appends a node and returns it.
    ConditionNode *addNode(std::unique_ptr<ConditionNode> node);

    std::vector<std::unique_ptr<ConditionNode>> nodes;
};
