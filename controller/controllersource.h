#pragma once

#include "controller/configurator.h"
#include "controller/ctlsource.h"

// The device, through the application controller: the description is read,
// parsed and localized, and changes are sent, exactly as for the window.
class ControllerSource : public CtlSource
{
public:
    ControllerSource(const QString &programDir, const QString &devPath);
    ~ControllerSource() override;

    SettingsParser *load() override;
    bool apply(const QString &id) override;
    [[nodiscard]] QString failure() const override;
    [[nodiscard]] bool deviceBusy() const override { return m_configurator.deviceBusy(); }

private:
    Configurator m_configurator;
    bool m_loaded = false;
};
