#pragma once

#include <QString>

#include <memory>
#include <vector>

class Constraint;
class IElement;

// The rules that belong to one setting, in document order. The parser owns
// the records; the setting reaches its record through Element::dependency().
class Dependency
{
public:
    explicit Dependency(const QString &id = QString(), IElement *owner = nullptr);
    ~Dependency();

    Dependency(const Dependency &) = delete;
    Dependency &operator=(const Dependency &) = delete;

    // Id of the setting the rules belong to.
    QString id;
    // Owned; an element walks them in this order.
    std::vector<std::unique_ptr<Constraint>> constraints;
    // The setting with that id when the record was built, or null.
    IElement *owner = nullptr;
};
