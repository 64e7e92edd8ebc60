#include "window/controlpanel.h"

#include "model/complexelement.h"
#include "model/element.h"
#include "model/enumerate.h"

#include <QCursor>
#include <QWhatsThis>
#include <QWidget>

// The help text of one setting. The pop-up is rich text; the titles and
// descriptions come from the device and are escaped so that they show as
// written instead of as markup (the dialog used to insert them as they are).
QString HelpText(Element *element)
{
    QString text;
    if (auto *group = qobject_cast<ComplexElement *>(element); group && group->isComplex())
        (void)enumerateMembers(group, CollectHelpCallback, &text);
    else
        text = QStringLiteral("*%1<br>%2")
                   .arg(element->title().toHtmlEscaped(), element->desc().toHtmlEscaped());
    return text;
}

ControlPanel::ControlPanel(QWidget *panel, QWidget *helpButton, QWidget *before, QWidget *after)
    : m_pPanel(panel), m_pHelpButton(helpButton), m_pBefore(before), m_pAfter(after)
{}

ControlPanel::~ControlPanel()
{
    if (m_pCurrentElement)
        m_pCurrentElement->deleteControl();
}

void ControlPanel::show(Element *element)
{
    if (m_pCurrentElement)
        m_pCurrentElement->deleteControl();
    m_pCurrentElement = element;
    if (!element) {
        m_pHelpButton->hide();
        return;
    }
    if (QWidget *control = element->createControl(m_pPanel)) {
        control->show();
        m_pHelpButton->show();
        chainFocus();
    }
}

void ControlPanel::showHelp(QWidget *window) const
{
    if (m_pCurrentElement)
        QWhatsThis::showText(QCursor::pos(), HelpText(m_pCurrentElement), window);
}

void ControlPanel::chainFocus()
{
    // Controls made now would come last in the focus chain, after the
    // buttons; keyboard users expect them between the tree and the buttons.
    QWidget *previous = m_pBefore;
    const QList<QWidget *> controls = m_pPanel->findChildren<QWidget *>();
    for (QWidget *control : controls) {
        if (control->focusPolicy() & Qt::TabFocus) {
            QWidget::setTabOrder(previous, control);
            previous = control;
        }
    }
    QWidget::setTabOrder(previous, m_pAfter);
}
