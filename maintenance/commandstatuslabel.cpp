#include "maintenance/commandstatuslabel.h"

#include <QLayout>
#include <QWizardPage>

CommandStatusLabel::CommandStatusLabel(QWidget *parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("commandStatus"));
    setWordWrap(true);
    setContentsMargins(30, 0, 30, 6);
    hide();
}

CommandStatusLabel *CommandStatusLabel::addTo(QWizardPage *page)
{
    auto *label = new CommandStatusLabel(page);
    page->layout()->addWidget(label);
    return label;
}

void CommandStatusLabel::report(bool taken, const QString &reason)
{
    if (taken) {
        clear();
        hide();
        return;
    }
    setText(tr("The device did not take the command: %1").arg(reason));
    show();
}
