#include "runtreecopy.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

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
    qputenv("XDG_DATA_HOME", QFile::encodeName(outside(QStringLiteral("home/data"))));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(outside(QStringLiteral("home/config"))));
}

RunTreeCopy::~RunTreeCopy()
{
    // An empty variable counts as unset.
    qputenv("XDG_DATA_HOME", m_savedData);
    qputenv("XDG_CONFIG_HOME", m_savedConfig);
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
