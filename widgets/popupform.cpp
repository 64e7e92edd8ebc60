#include "widgets/popupform.h"

#include <QChildEvent>
#include <QFrame>
#include <QVBoxLayout>

PopupForm::PopupForm(QWidget *parent, const char *name, bool modal, Qt::WindowFlags fl)
    : Ui_PopupForm(parent, name, modal, fl)
{
    m_panelLayout = new QVBoxLayout(panel);
    m_panelLayout->setContentsMargins(0, 0, 0, 0);
    m_panelLayout->setSpacing(5);
    panel->installEventFilter(this);
}

bool PopupForm::eventFilter(QObject *watched, QEvent *event)
{
    // A child widget is announced while its own constructor is still running;
    // adding it to the layout only records it, the layout asks for its sizes
    // later. Children are taken in the order they are created.
    if (watched == panel && event->type() == QEvent::ChildAdded) {
        QObject *child = static_cast<QChildEvent *>(event)->child();
        if (child->isWidgetType()) {
            auto *widget = static_cast<QWidget *>(child);
            if (m_panelLayout->indexOf(widget) < 0)
                m_panelLayout->addWidget(widget);
        }
    }
    return Ui_PopupForm::eventFilter(watched, event);
}

void PopupForm::btnCancel_clicked()
{}

void PopupForm::btnOK_clicked()
{}

void PopupForm::setFixedPanelHeight(int h)
{
    panel->setFixedHeight(h);
}

void PopupForm::apply()
{}

void PopupForm::decline()
{
    reject();
}
