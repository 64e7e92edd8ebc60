#pragma once

#include "model/buttonelement.h"

// The button that makes the dialog start the phone book tool. The button
// kinds differ from a plain button only in class and type, which is what the
// dialog chooses the action by.
class PhoneBookElement : public ButtonElement
{
    Q_OBJECT

public:
    PhoneBookElement(const QByteArray &controlName, NodeDesc *node, Element *parent);
};
