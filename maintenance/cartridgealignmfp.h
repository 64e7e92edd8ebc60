#pragma once

#include "maintenance/maintenancewizard.h"

// The multi-function alignment wizard: how to get the alignment page, then
// how to let the device scan it; neither page has a picture. The device
// scans the alignment page itself; the wizard only explains the steps and,
// on "Print Page", prints that page: with an empty id by writing the command
// to the device, with the id of a maintenance setting by asking for that
// setting to be applied.
class CartridgeAlignMFP : public MaintenanceWizard
{
    Q_OBJECT
public:
    CartridgeAlignMFP(const char *devPath, const QString &id, QWidget *parent = nullptr,
                      const char *name = nullptr);

signals:
    void alignmentRequested(const QString &id);

public slots:
    void printPage();
};
