#pragma once

#include "maintenance/cartridgealignmfpbase.h"
#include "maintenance/commandsender.h"

class CommandStatusLabel;
class QPushButton;

// The multi-function alignment wizard. The device scans the alignment page
// itself; the wizard only explains the steps and, on "Print Page", prints
// that page: with an empty id by writing the command to the device, with
// the id of a maintenance setting by asking for that setting to be applied.
class CartridgeAlignMFP : public CartridgeAlignMFPBase
{
    Q_OBJECT
public:
    CartridgeAlignMFP(const char *devPath, const QString &id, QWidget *parent = nullptr,
                      const char *name = nullptr);

public slots:
    void printPage() override;

private:
    void showPage(int id);

    QString m_devPath;
    QString m_id;
    QPushButton *m_pPrintPageBtn;
    CommandSender m_sender;
    CommandStatusLabel *m_pStatus;
};
