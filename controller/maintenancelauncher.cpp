#include "controller/maintenancelauncher.h"

#include "base/imagecollections.h"
#include "maintenance/cartridgealignsfp.h"
#include "maintenance/cartridgeclean.h"
#include "maintenance/inkjetmaintenance.h"

#include <QFile>

// Deviation: the path is encoded as every other user of the node encodes it,
// not as Latin-1, which would turn characters beyond it into '?' and name
// another node.
MaintenanceLauncher::MaintenanceLauncher(const QString &devPath) : m_devPath(QFile::encodeName(devPath))
{
    RegisterMaintenanceImages();
}

MaintenanceLauncher::~MaintenanceLauncher()
{
    UnregisterMaintenanceImages();
}

void MaintenanceLauncher::testPagePrint(const ApplyCallback &apply, const QString &id) const
{
    if (id.isEmpty())
        (void)PrintTestPage(m_devPath.constData());
    else if (apply)
        (void)apply(id, nullptr);
}

void MaintenanceLauncher::cartridgeClean(QWidget *parent, const ApplyCallback &apply, const QString &id) const
{
    if (id.isEmpty()) {
        (void)RunCartridgeClean(m_devPath.constData(), parent);
        return;
    }
    CartridgeClean wizard(m_devPath.constData(), id, parent, "CartridgeClean_wizard");
    wizard.setSettingApplier(apply);
    (void)wizard.exec();
}

void MaintenanceLauncher::cartridgeAlignSFP(bool photoInk, QWidget *parent, const ApplyCallback &apply,
                                            const QString &id) const
{
    if (id.isEmpty()) {
        (void)RunCartridgeAlignSFP(photoInk, m_devPath.constData(), parent);
        return;
    }
    CartridgeAlignSFP wizard(photoInk, m_devPath.constData(), id, parent, "CartridgeAlignSFP_wizard");
    wizard.setSettingApplier(apply);
    (void)wizard.exec();
}

int MaintenanceLauncher::cartridgeAlignMFP(QWidget *parent, const ApplyCallback &apply,
                                           const QString &id) const
{
    if (id.isEmpty())
        return RunCartridgeAlignMFP(m_devPath.constData(), parent);
    // The device prints and scans its alignment page itself: the setting's
    // press is all there is to do, and no wizard stands before the window.
    if (apply)
        (void)apply(id, nullptr);
    return 0;
}
