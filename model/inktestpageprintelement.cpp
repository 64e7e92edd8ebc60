#include "model/inktestpageprintelement.h"

InkTestPagePrintElement::InkTestPagePrintElement(const QByteArray &controlName, NodeDesc *node,
                                                 Element *parent)
    : ButtonElement(controlName, node, parent)
{}
