#include "description/dependency.h"

#include "description/constraint.h"

Dependency::Dependency(const QString &id, IElement *owner) : id(id), owner(owner)
{}

Dependency::~Dependency() = default;
