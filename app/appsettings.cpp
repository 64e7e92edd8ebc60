#include "app/appsettings.h"

AppSettings::AppSettings(int argc, const char *const *argv)
{
    m_arguments.reserve(argc);
    for (int i = 0; i < argc && argv[i]; ++i)
        m_arguments.append(QString::fromLocal8Bit(argv[i]));
}

AppSettings::~AppSettings() = default;

bool AppSettings::contains(const QString &word) const
{
    return m_arguments.contains(word, Qt::CaseSensitive);
}
