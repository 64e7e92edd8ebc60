#include "controller/maintenancelauncher.h"

#include "base/imagecollections.h"
#include "maintenance/cartridgealignsfp.h"
#include "maintenance/cartridgeclean.h"
#include "maintenance/inkjetmaintenance.h"

MaintenanceLauncher::MaintenanceLauncher(const QString &devPath) : m_devPath(devPath.toLatin1())
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
        apply(id);
}

void MaintenanceLauncher::cartridgeClean(QWidget *parent, const ApplyCallback &apply, const QString &id) const
{
    if (id.isEmpty()) {
        (void)RunCartridgeClean(m_devPath.constData(), parent);
        return;
    }
    CartridgeClean wizard(m_devPath.constData(), id, parent, "CartridgeClean_wizard");
    if (apply)
        QObject::connect(&wizard, &CartridgeClean::cleaningRequested, &wizard, apply);
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
    if (apply)
        QObject::connect(&wizard, &CartridgeAlignSFP::alignmentRequested, &wizard, apply);
    (void)wizard.exec();
}

int MaintenanceLauncher::cartridgeAlignMFP(QWidget *parent, const ApplyCallback &apply,
                                           const QString &id) const
{
    if (id.isEmpty())
        return RunCartridgeAlignMFP(m_devPath.constData(), parent);
    if (apply)
        apply(id);
    return 0;
}
