#include "model/emailbookelement.h"

EmailBookElement::EmailBookElement(const QByteArray &controlName, NodeDesc *node, Element *parent)
    : ButtonElement(controlName, node, parent)
{}
