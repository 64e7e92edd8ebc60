#pragma once

class ConcreteElement;
class Element;
class QString;

// Who hears of every change of a setting without a signal connection per
// setting: the settings window follows tens of thousands of settings, and
// three connections each cost a tenth of its fill. The settings' own
// signals still fire for anyone else.
class IElementObserver
{
public:
    virtual void valueChanged(ConcreteElement *element, const QString &value) = 0;
    virtual void valueReset(ConcreteElement *element) = 0;
    virtual void visibleChanged(Element *element, bool visible) = 0;

protected:
    ~IElementObserver() = default;
};
