#pragma once

#include "model/attribute.h"

// An attribute aimed at another setting than the one whose constraint
// applies it. Only a target qualified by a one-entry path is supported; with
// any other path the attribute does nothing.
class RefAttribute : public Attribute
{
public:
    RefAttribute() = default;
    RefAttribute(const QString &name, const QString &value);
    ~RefAttribute() override;

    bool apply(IElement *element) override;

    // Not owned; null applies the attribute to the element that applies it.
    IElement *target = nullptr;
    QStringList targetPath;
};
