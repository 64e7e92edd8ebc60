#pragma once

#include <QString>

// The texts of a setting that localization replaces: the key and the
// title and description shown to the user.
class ILocalizable
{
public:
    virtual ~ILocalizable() = default;

    virtual QString string() const = 0;
    virtual QString title() const = 0;
    virtual QString desc() const = 0;
    virtual void setString(const QString &key) = 0;
    virtual void setTitle(const QString &title) = 0;
    virtual void setDescription(const QString &desc) = 0;
};
