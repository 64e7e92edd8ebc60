#include "model/inkcartridgealignsfpelement.h"

InkCartridgeAlignSFPElement::InkCartridgeAlignSFPElement(const QByteArray &controlName, NodeDesc *node,
                                                         Element *parent)
    : ButtonElement(controlName, node, parent)
{}
