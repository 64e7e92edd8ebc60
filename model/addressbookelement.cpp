#include "model/addressbookelement.h"

AddressBookElement::AddressBookElement(const QByteArray &controlName, NodeDesc *node, Element *parent)
    : ButtonElement(controlName, node, parent)
{}
