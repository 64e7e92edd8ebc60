#include "model/refattribute.h"

RefAttribute::RefAttribute(const QString &name, const QString &value) : Attribute(name, value)
{}

RefAttribute::~RefAttribute() = default;

bool RefAttribute::apply(IElement *element)
{
    if (!target)
        return applyTo(element);
    // A deeper target path would name an option of the target; that is not supported.
    if (targetPath.size() != 1)
        return false;
    return applyTo(target);
}
