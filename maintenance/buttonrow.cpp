#include "maintenance/buttonrow.h"

void SetButtonRow(QWizard *wizard, const QList<QWizard::WizardButton> &buttons)
{
    QList<QWizard::WizardButton> row{QWizard::Stretch};
    row += buttons;
    row.append(QWizard::Stretch);
    wizard->setButtonLayout(row);
}
