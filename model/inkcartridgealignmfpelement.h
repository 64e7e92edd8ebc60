#pragma once

#include "model/buttonelement.h"

// The button that starts the cartridge alignment of a multi-function device.
// It differs from a plain button only in class and type, which is what the
// dialog chooses the action by.
class InkCartridgeAlignMFPElement : public ButtonElement
{
    Q_OBJECT

public:
    InkCartridgeAlignMFPElement(const QByteArray &controlName, NodeDesc *node, Element *parent);
};
