#pragma once

#include <QList>
#include <QWizard>

// Places the given wizard buttons, in order, centred in the button row; the
// buttons not named are not shown. The maintenance wizards call it on every
// page change, since each page shows its own set.
void SetButtonRow(QWizard *wizard, const QList<QWizard::WizardButton> &buttons);
