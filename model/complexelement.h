#pragma once

#include "model/element.h"

#include <QList>

// A group of settings shown stacked in one frame of the panel. The group owns
// its members (in description order); each member still creates, shows and
// deletes its own control, placed inside the group's frame.
//
// Showing or hiding a group (a Hide rule on the group) shows or hides the
// frame only. The members' controls stay where they are as children of the
// frame, so they disappear and come back with it and each keeps the state its
// own rules gave it (a member hidden by its own rule stays hidden when the
// group comes back). Members' controls are only deleted with the group's own,
// so Element's showControl and hideControl serve unchanged.
class ComplexElement : public Element
{
    Q_OBJECT

public:
    ComplexElement(const QByteArray &controlName, NodeDesc *node, Element *parent);
    ~ComplexElement() override;

    // Takes ownership; members keep the order they are added in.
    void addElement(Element *element);
    const QList<Element *> &elements() const { return m_elements; }

    QWidget *createControl(QWidget *parent) override;
    void deleteControl() override;
    bool isComplex() const override;

    // Height of one member row; a taller control takes whole rows.
    static constexpr int RowHeight = 29;

protected:
    // Owning: deleted in the destructor, and only there.
    QList<Element *> m_elements;
};
