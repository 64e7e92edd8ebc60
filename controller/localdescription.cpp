#include "controller/localdescription.h"

#include "base/debuglog.h"
#include "model/settingsparser.h"

#include <QFile>

LocalDescription::LocalDescription(const QString &path) : m_path(path)
{}

LocalDescription::~LocalDescription() = default;

NodeDesc *LocalDescription::loadSettings()
{
    if (!m_pParser) {
        QFile file(m_path);
        m_pParser = std::make_unique<SettingsParser>(&file);
        if (!m_pParser->parse())
            DebugLog("LocalDescription: <%s> holds no usable settings", qPrintable(m_path));
    }
    return m_pParser->root();
}
