#include "controller/controllersource.h"

#include "model/settingsparser.h"

#include <QFileInfo>

// The device name only names the controller's save files and the About
// information, neither of which velmoractl uses: the node's name serves.
// Scripts read settings; they leave no translation entries behind.
ControllerSource::ControllerSource(const QString &programDir, const QString &devPath)
    : m_configurator(programDir, devPath, QFileInfo(devPath).fileName(), false, false, false, false, false)
{}

ControllerSource::~ControllerSource() = default;

SettingsParser *ControllerSource::load()
{
    // The tree is read once: the commands point into it.
    if (!m_loaded) {
        m_loaded = true;
        if (!m_configurator.loadSettings())
            return nullptr;
    }
    return m_configurator.parser() && m_configurator.parser()->root() ? m_configurator.parser() : nullptr;
}

bool ControllerSource::apply(const QString &id)
{
    return m_configurator.applySettings(id);
}

QString ControllerSource::failure() const
{
    return m_configurator.lastFailure();
}
