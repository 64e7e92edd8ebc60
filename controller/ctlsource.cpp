#include "controller/ctlsource.h"

#include "controller/localdescription.h"
#include "model/settingsparser.h"

#include <QCoreApplication>
#include <QFile>

namespace {
QString translated(const char *text)
{
    return QCoreApplication::translate("velmoractl", text);
}
} // namespace

LocalFileSource::LocalFileSource(const QString &path) : m_path(path)
{}

LocalFileSource::~LocalFileSource() = default;

SettingsParser *LocalFileSource::load()
{
    if (m_pDescription)
        return m_pDescription->loadSettings() ? m_pDescription->parser() : nullptr;

    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_failure = translated("Cannot open file: '%1' (%2)").arg(m_path, file.errorString());
        return nullptr;
    }
    file.close();
    m_pDescription = std::make_unique<LocalDescription>(m_path);
    if (!m_pDescription->loadSettings()) {
        m_failure = translated("'%1' holds no settings description").arg(m_path);
        return nullptr;
    }
    return m_pDescription->parser();
}

bool LocalFileSource::apply(const QString &id)
{
    Q_UNUSED(id)
    m_failure = translated("a description file has no device to send to");
    return false;
}
