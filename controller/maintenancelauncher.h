#pragma once

#include "controller/iconfigurator.h"

#include <QString>

class QWidget;

// The window's maintenance buttons. Without an id the maintenance functions
// write their commands to the device node themselves; with the id of a
// maintenance setting the press goes to the device as that setting's change
// document, through the caller's apply path; a wizard shows on its page when
// the device did not take it. The wizards run modal to the parent. The
// wizards' pictures are there as long as the launcher is.
class MaintenanceLauncher
{
public:
    using ApplyCallback = IConfigurator::ApplyCallback;

    explicit MaintenanceLauncher(const QString &devPath);
    ~MaintenanceLauncher();

    MaintenanceLauncher(const MaintenanceLauncher &) = delete;
    MaintenanceLauncher &operator=(const MaintenanceLauncher &) = delete;

    void testPagePrint(const ApplyCallback &apply, const QString &id) const;
    void cartridgeClean(QWidget *parent, const ApplyCallback &apply, const QString &id) const;
    void cartridgeAlignSFP(bool photoInk, QWidget *parent, const ApplyCallback &apply,
                           const QString &id) const;
    // The wizard's result; 0 when none was shown.
    int cartridgeAlignMFP(QWidget *parent, const ApplyCallback &apply, const QString &id) const;

private:
    QByteArray m_devPath; // as the maintenance functions take it
};
