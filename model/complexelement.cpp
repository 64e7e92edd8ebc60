#include "model/complexelement.h"

#include "base/debuglog.h"

#include <QFrame>

ComplexElement::ComplexElement(const QByteArray &controlName, NodeDesc *node, Element *parent)
    : Element(controlName, node, parent)
{}

ComplexElement::~ComplexElement()
{
    qDeleteAll(m_elements);
    m_elements.clear();
}

void ComplexElement::addElement(Element *element)
{
    if (element)
        m_elements.append(element);
}

QWidget *ComplexElement::createControl(QWidget *parent)
{
    DebugLog("ComplexElement::createControl:\n%s", qPrintable(dump()));
    auto *frame = new QFrame(parent);
    if (parent)
        frame->resize(parent->width(), parent->height());

    int y = 0;
    for (Element *member : std::as_const(m_elements)) {
        QWidget *row = member->createControl(frame);
        if (!row)
            continue; // e.g. an About setting without its record
        row->move(0, y);
        const int rows = (row->height() + RowHeight - 1) / RowHeight;
        y += RowHeight * rows;
    }
    // In a laid-out container (a pop-up form's panel) the layout decides the
    // frame's height, and the frame has no layout of its own to say how much
    // room its rows need. Elsewhere it keeps the panel's size.
    if (parent && parent->layout())
        frame->setMinimumHeight(y);

    setControl(frame);
    (void)checkConstraints(nullptr, true);
    return frame;
}

void ComplexElement::deleteControl()
{
    // Members first, while their rows still exist inside the frame.
    if (control()) {
        for (Element *member : std::as_const(m_elements))
            member->deleteControl();
    }
    Element::deleteControl();
}

bool ComplexElement::isComplex() const
{
    return true;
}
