#include "model/buttonelement.h"

#include "base/debuglog.h"

#include <QPushButton>

namespace {
constexpr int ButtonRowHeight = 24;
} // namespace

ButtonElement::ButtonElement(const QByteArray &controlName, NodeDesc *node, Element *parent)
    : Element(controlName, node, parent)
{}

QWidget *ButtonElement::createControl(QWidget *parent)
{
    DebugLog("ButtonElement::createControl:\n%s", qPrintable(dump()));
    QWidget *row = createRow(parent, ButtonRowHeight);
    auto *button = new QPushButton(m_label, row);
    connect(button, &QPushButton::clicked, this, &ButtonElement::onClick);
    return finishRow(row, button);
}

void ButtonElement::deleteControl()
{
    deleteRowControl();
}

void ButtonElement::showControl()
{
    setRowControlVisible(true);
}

void ButtonElement::hideControl()
{
    setRowControlVisible(false);
}

void ButtonElement::onClick()
{
    DebugLog("ButtonElement::onClick() is executed");
    emit buttonClicked(id());
}
