#pragma once

#include "maintenance/maintenancewizard.h"

// The multi-function alignment wizard: how to get the alignment page, then
// how to let the device scan it; neither page has a picture. The device
// scans the alignment page itself; the wizard only explains the steps and,
// on "Print Page", writes the command that prints that page. A maintenance
// setting of this kind is pressed at once, without the wizard, so the wizard
// only ever writes directly.
class CartridgeAlignMFP : public MaintenanceWizard
{
    Q_OBJECT
public:
    explicit CartridgeAlignMFP(const char *devPath, QWidget *parent = nullptr, const char *name = nullptr);

public slots:
    void printPage();
};
