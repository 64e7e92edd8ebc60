#pragma once

#include "maintenance/maintenancewizard.h"

// The cleaning wizard: the streaked-output example with the offer to clean,
// then the page shown while the cleaning page prints. "Clean" on the first
// page starts a cleaning: with an empty id the wizard writes the clean
// command to the device itself, with the id of a maintenance setting it has
// that setting applied (see setSettingApplier). Either way a cleaning the
// device did not take is said on the cleaning page. "Clean Again" goes back
// for another round.
class CartridgeClean : public MaintenanceWizard
{
    Q_OBJECT
public:
    CartridgeClean(const char *devPath, const QString &id, QWidget *parent = nullptr,
                   const char *name = nullptr);

protected:
    void initializePage(int id) override;
};
