#include "model/inkcartridgecleanelement.h"

InkCartridgeCleanElement::InkCartridgeCleanElement(const QByteArray &controlName, NodeDesc *node,
                                                   Element *parent)
    : ButtonElement(controlName, node, parent)
{}
