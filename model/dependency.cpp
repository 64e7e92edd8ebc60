#include "model/dependency.h"

#include "model/constraint.h"

Dependency::Dependency(const QString &id, IElement *owner) : id(id), owner(owner)
{}

Dependency::~Dependency() = default;
