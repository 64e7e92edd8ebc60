#include "app/configurator.h"

#include "maintenance/cartridgealignsfp.h"
#include "maintenance/cartridgeclean.h"
#include "maintenance/inkjetmaintenance.h"
#include "window/settingsdialog.h"

// The maintenance buttons of the window. Without an id the maintenance
// functions write their commands to the device node themselves; with the id
// of a maintenance setting the press goes to the device as that setting's
// change document, through the window's buttonClicked. The wizards run
// modal to the window.

void Configurator::ijTestPagePrint(SettingsDialog *dialog, const QString &id)
{
    if (id.isEmpty())
        (void)PrintTestPage(m_devPath.toLatin1().constData());
    else if (dialog)
        dialog->buttonClicked(id);
}

void Configurator::ijCartridgeClean(SettingsDialog *dialog, const QString &id)
{
    const QByteArray devPath = m_devPath.toLatin1();
    if (id.isEmpty()) {
        (void)RunCartridgeClean(devPath.constData(), dialog);
        return;
    }
    CartridgeClean wizard(devPath.constData(), id, dialog, "CartridgeClean_wizard");
    if (dialog)
        connect(&wizard, &CartridgeClean::cleaningRequested, dialog, &SettingsDialog::buttonClicked);
    (void)wizard.exec();
}

void Configurator::ijCartridgeAlignSFP(bool photoInk, SettingsDialog *dialog, const QString &id)
{
    const QByteArray devPath = m_devPath.toLatin1();
    if (id.isEmpty()) {
        (void)RunCartridgeAlignSFP(photoInk, devPath.constData(), dialog);
        return;
    }
    CartridgeAlignSFP wizard(photoInk, devPath.constData(), id, dialog, "CartridgeAlignSFP_wizard");
    if (dialog)
        connect(&wizard, &CartridgeAlignSFP::alignmentRequested, dialog, &SettingsDialog::buttonClicked);
    (void)wizard.exec();
}

int Configurator::ijCartridgeAlignMFP(SettingsDialog *dialog, const QString &id)
{
    if (id.isEmpty())
        return RunCartridgeAlignMFP(m_devPath.toLatin1().constData(), dialog);
    if (dialog)
        dialog->buttonClicked(id);
    return 0;
}
