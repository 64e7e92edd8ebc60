#pragma once

#include "model/buttonelement.h"

// The button that makes the dialog start the e-mail book tool. The button
// kinds differ from a plain button only in class and type, which is what the
// dialog chooses the action by.
class EmailBookElement : public ButtonElement
{
    Q_OBJECT

public:
    EmailBookElement(const QByteArray &controlName, NodeDesc *node, Element *parent);
};
