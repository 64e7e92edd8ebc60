#pragma once

#include "maintenance/cartridgecleanbase.h"
#include "maintenance/commandsender.h"

class CommandStatusLabel;

// The cleaning wizard. "Clean" on the first page starts a cleaning: with an
// empty id the wizard writes the clean command to the device itself, with
// the id of a maintenance setting it asks for that setting to be applied
// (cleaningRequested). "Clean Again" goes back for another round.
class CartridgeClean : public CartridgeCleanBase
{
    Q_OBJECT
public:
    CartridgeClean(const char *devPath, const QString &id, QWidget *parent = nullptr,
                   const char *name = nullptr);

protected:
    void initializePage(int id) override;

private:
    void showPage(int id);

    QString m_devPath;
    QString m_id;
    CommandSender m_sender;
    CommandStatusLabel *m_pStatus;
};
