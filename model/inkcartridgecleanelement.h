#pragma once

#include "model/buttonelement.h"

// The button that starts the cartridge cleaning wizard. It differs from a
// plain button only in class and type, which is what the dialog chooses the
// action by.
class InkCartridgeCleanElement : public ButtonElement
{
    Q_OBJECT

public:
    InkCartridgeCleanElement(const QByteArray &controlName, NodeDesc *node, Element *parent);
};
