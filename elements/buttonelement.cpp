#include "elements/buttonelement.h"

#include "app/debuglog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace {

constexpr int ButtonRowHeight = 24;

// The "label" beside the control, when the control sits in its own "hbox" row.
QLabel *rowLabel(QWidget *control)
{
    QWidget *box = control ? control->parentWidget() : nullptr;
    if (!box || box->objectName() != QLatin1String("hbox"))
        return nullptr;
    return box->findChild<QLabel *>(QStringLiteral("label"), Qt::FindDirectChildrenOnly);
}

} // namespace

ButtonElement::ButtonElement(const QByteArray &controlName, NodeDesc *node, Element *parent)
    : Element(controlName, node, parent)
{}

QWidget *ButtonElement::createControl(QWidget *parent)
{
    DebugLog("ButtonElement::createControl:\n%s", qPrintable(dump()));
    auto *box = new QWidget(parent);
    box->setObjectName(QStringLiteral("hbox"));
    auto *layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(5);
    const int width = parent ? parent->width() : 0;
    const int height = parent ? qMin(parent->height(), ButtonRowHeight) : ButtonRowHeight;
    box->resize(width, height);

    auto *label = new QLabel(box);
    label->setObjectName(QStringLiteral("label"));
    label->setText(title() + QStringLiteral(" : "));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    layout->addWidget(label, 1);

    auto *button = new QPushButton(box);
    button->resize(width, height);
    button->setText(m_label);
    connect(button, &QPushButton::clicked, this, &ButtonElement::onClick);
    layout->addWidget(button, 1);

    setControl(button);
    (void)checkConstraints(nullptr, true);
    return box;
}

void ButtonElement::deleteControl()
{
    DebugLog("Element::deleteControl:\n%s", qPrintable(dump()));
    QWidget *button = control();
    if (button) {
        QWidget *box = button->parentWidget();
        if (box && box->objectName() == QLatin1String("hbox")) {
            delete rowLabel(button);
            delete button;
            delete box;
        } else {
            delete button;
        }
    }
    setControl(nullptr);
}

void ButtonElement::showControl()
{
    if (QLabel *label = rowLabel(control()))
        label->show();
    if (control())
        control()->show();
    emit visibleChanged(true);
}

void ButtonElement::hideControl()
{
    if (QLabel *label = rowLabel(control()))
        label->hide();
    if (control())
        control()->hide();
    emit visibleChanged(false);
}

void ButtonElement::onClick()
{
    DebugLog("ButtonElement::onClick() is executed");
    emit buttonClicked(id());
}
