#include "runtreecopy.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <utility>

namespace {
bool copyTree(const QString &from, const QString &to)
{
    QDirIterator it(from, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        if (!QDir().mkpath(QFileInfo(target).path()) || !QFile::copy(source, target))
            return false;
    }
    return true;
}
} // namespace

RunTreeCopy::RunTreeCopy()
{
    m_root = QDir(m_dir.path()).canonicalPath() + QStringLiteral("/it's a \"run\" tree $(true)/stage");
    m_valid = m_dir.isValid() && copyTree(QStringLiteral(VELMORA_STAGE_DIR), m_root);
    if (qEnvironmentVariableIsSet("XDG_DATA_HOME"))
        m_savedData = qgetenv("XDG_DATA_HOME");
    if (qEnvironmentVariableIsSet("XDG_CONFIG_HOME"))
        m_savedConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(outside(QStringLiteral("home/data"))));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(outside(QStringLiteral("home/config"))));
}

RunTreeCopy::~RunTreeCopy()
{
    for (const auto &[name, value] : {std::pair{"XDG_DATA_HOME", m_savedData}, {"XDG_CONFIG_HOME", m_savedConfig}}) {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
}

bool RunTreeCopy::writeData(const QString &name, const QByteArray &content) const
{
    return write(QStringLiteral("../home/data/velmora/") + name, content);
}

QString RunTreeCopy::outside(const QString &relative) const
{
    return QDir::cleanPath(m_root + QStringLiteral("/../") + relative);
}

bool RunTreeCopy::write(const QString &relative, const QByteArray &content) const
{
    const QString path = m_root + QLatin1Char('/') + relative;
    QFile file(path);
    return QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly) &&
           file.write(content) == content.size();
}
