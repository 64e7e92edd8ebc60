#include "model/phonebookelement.h"

PhoneBookElement::PhoneBookElement(const QByteArray &controlName, NodeDesc *node, Element *parent)
    : ButtonElement(controlName, node, parent)
{}
