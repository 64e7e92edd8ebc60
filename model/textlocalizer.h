#pragma once

class ILocalizable;

// Takes the texts of the settings model, one translatable object at a time,
// in the order of SettingsParser::forEachLocalizable. The translator of the
// language layer is one; the parser's translate pass hands it every object.
class TextLocalizer
{
public:
    virtual ~TextLocalizer() = default;

    // Called once before the first object; false ends the pass at once.
    [[nodiscard]] virtual bool beginPass() = 0;
    // False stops the pass (a damaged entry).
    [[nodiscard]] virtual bool localize(ILocalizable *object) = 0;
};
