#include "model/inkcartridgealignmfpelement.h"

InkCartridgeAlignMFPElement::InkCartridgeAlignMFPElement(const QByteArray &controlName, NodeDesc *node,
                                                         Element *parent)
    : ButtonElement(controlName, node, parent)
{}
