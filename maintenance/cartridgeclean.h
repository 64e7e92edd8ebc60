#pragma once

#include "maintenance/maintenancewizard.h"

// The cleaning wizard: the streaked-output example with the offer to clean,
// then the page shown while the cleaning page prints. "Clean" on the first
// page starts a cleaning: with an empty id the wizard writes the clean
// command to the device itself, with the id of a maintenance setting it asks
// for that setting to be applied (cleaningRequested). "Clean Again" goes back
// for another round.
class CartridgeClean : public MaintenanceWizard
{
    Q_OBJECT
public:
    CartridgeClean(const char *devPath, const QString &id, QWidget *parent = nullptr,
                   const char *name = nullptr);

signals:
    void cleaningRequested(const QString &id);

protected:
    void initializePage(int id) override;
};
