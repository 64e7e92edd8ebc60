#include "controller/configurator.h"

#include "maintenance/cartridgealignsfp.h"
#include "maintenance/cartridgeclean.h"
#include "maintenance/inkjetmaintenance.h"

// The maintenance buttons of the window. Without an id the maintenance
// functions write their commands to the device node themselves; with the id
// of a maintenance setting the press goes to the device as that setting's
// change document, through the caller's apply path. The wizards run modal
// to the parent.

void Configurator::ijTestPagePrint(QWidget *parent, const ApplyCallback &apply, const QString &id)
{
    Q_UNUSED(parent)
    if (id.isEmpty())
        (void)PrintTestPage(m_devPath.toLatin1().constData());
    else if (apply)
        apply(id);
}

void Configurator::ijCartridgeClean(QWidget *parent, const ApplyCallback &apply, const QString &id)
{
    const QByteArray devPath = m_devPath.toLatin1();
    if (id.isEmpty()) {
        (void)RunCartridgeClean(devPath.constData(), parent);
        return;
    }
    CartridgeClean wizard(devPath.constData(), id, parent, "CartridgeClean_wizard");
    if (apply)
        connect(&wizard, &CartridgeClean::cleaningRequested, &wizard, apply);
    (void)wizard.exec();
}

void Configurator::ijCartridgeAlignSFP(bool photoInk, QWidget *parent, const ApplyCallback &apply,
                                       const QString &id)
{
    const QByteArray devPath = m_devPath.toLatin1();
    if (id.isEmpty()) {
        (void)RunCartridgeAlignSFP(photoInk, devPath.constData(), parent);
        return;
    }
    CartridgeAlignSFP wizard(photoInk, devPath.constData(), id, parent, "CartridgeAlignSFP_wizard");
    if (apply)
        connect(&wizard, &CartridgeAlignSFP::alignmentRequested, &wizard, apply);
    (void)wizard.exec();
}

int Configurator::ijCartridgeAlignMFP(QWidget *parent, const ApplyCallback &apply, const QString &id)
{
    if (id.isEmpty())
        return RunCartridgeAlignMFP(m_devPath.toLatin1().constData(), parent);
    if (apply)
        apply(id);
    return 0;
}
