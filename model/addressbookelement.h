#pragma once

#include "model/buttonelement.h"

// The button that makes the dialog start the user address book tool. The
// button kinds differ from a plain button only in class and type, which is
// what the dialog chooses the action by.
class AddressBookElement : public ButtonElement
{
    Q_OBJECT

public:
    AddressBookElement(const QByteArray &controlName, NodeDesc *node, Element *parent);
};
