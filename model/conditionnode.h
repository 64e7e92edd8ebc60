#pragma once

#include <QString>

class IElement;

// One test of a condition: the current value of a setting compared with a
// text. Comparison is by character code, so "9" is greater than "10".
class ConditionNode
{
public:
    // Comparison operators; None never holds.
    enum Operator : int {
        None = 0,
        Equal = 1,
        Not = 2,
        Great = 3,
        GreatOrEqual = 4,
        Less = 5,
        LessOrEqual = 6
    };

    ConditionNode() = default;
    ConditionNode(const QString &id, const QString &value, IElement *element, int op);

    // The operator of an "IS" attribute: absent or empty is Equal, the six
    // keywords (exact, case-sensitive) their operator, anything else None.
    [[nodiscard]] static int operatorFromKeyword(const QString &isValue, bool present);

    // False without an element or on one that holds no value; true without a
    // value to compare ("CURRENT" absent) on one that does.
    [[nodiscard]] bool evaluate() const;

    // Id of the setting tested.
    QString id;
    // The "CURRENT" text; null when the node has none.
    QString value;
    // Not owned; null when no setting has the id.
    IElement *element = nullptr;
    int op = Equal;
};
