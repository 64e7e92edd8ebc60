#pragma once

#include "model/buttonelement.h"

// The button that prints the ink test page (a raw command, or for the "_XML"
// type a device button press). It differs from a plain button only in class
// and type, which is what the dialog chooses the action by.
class InkTestPagePrintElement : public ButtonElement
{
    Q_OBJECT

public:
    InkTestPagePrintElement(const QByteArray &controlName, NodeDesc *node, Element *parent);
};
