#include "base/programpaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <climits>
#include <unistd.h>

namespace {
constexpr int MaxLinkDepth = 128;

// The raw target of a link, as stored (QFileInfo would resolve it further).
QString readLinkTarget(const QString &path)
{
    const QByteArray encoded = QFile::encodeName(path);
    char buffer[PATH_MAX + 1];
    const ssize_t length = ::readlink(encoded.constData(), buffer, PATH_MAX);
    if (length < 0)
        return QString();
    return QFile::decodeName(QByteArray(buffer, static_cast<int>(length)));
}

QString findInSearchPath(const QString &name)
{
    const QString searchPath = QString::fromLocal8Bit(qgetenv("PATH"));
    const QStringList dirs = searchPath.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString &dir : dirs) {
        const QString candidate = QDir::current().absoluteFilePath(dir + QLatin1Char('/') + name);
        if (QFileInfo(candidate).isFile())
            return candidate;
    }
    return QString();
}
} // namespace

QString GetApplicationDir(const QByteArray &argv0)
{
    const QString program = QFile::decodeName(argv0);
    QString path;
    if (program.startsWith(QLatin1Char('/')))
        path = program;
    else if (program.contains(QLatin1Char('/')))
        path = QDir::current().absoluteFilePath(program);
    else if (!program.isEmpty())
        path = findInSearchPath(program);

    if (path.isNull())
        return QString();
    path = QDir::cleanPath(path);
    if (!QFileInfo::exists(path))
        return QString();

    const QString resolved = ResolveSymLinks(path, 0);
    if (resolved.isNull())
        return QString();
    return resolved.left(resolved.lastIndexOf(QLatin1Char('/')));
}

QString ResolveSymLinks(const QString &path, int depth)
{
    if (depth >= MaxLinkDepth)
        return QString();

    // The longest linked prefix is resolved first; each resolution starts
    // over on the new path, so chains and links in directories are followed.
    QString prefix = path;
    while (!prefix.isEmpty()) {
        const QString target = QFileInfo(prefix).isSymLink() ? readLinkTarget(prefix) : QString();
        if (!target.isEmpty()) {
            QString resolved;
            if (target.startsWith(QLatin1Char('/')))
                resolved = target;
            else
                resolved = QDir::current().absoluteFilePath(
                    prefix.left(prefix.lastIndexOf(QLatin1Char('/')) + 1) + target);
            if (prefix.size() < path.size()) {
                const QString rest = path.mid(prefix.size() + 1);
                if (!resolved.endsWith(QLatin1Char('/')))
                    resolved += QLatin1Char('/');
                resolved += rest;
            }
            return ResolveSymLinks(QDir::cleanPath(resolved), depth + 1);
        }
        const int slash = prefix.lastIndexOf(QLatin1Char('/'));
        if (slash < 0)
            break;
        prefix.truncate(slash);
    }
    return path;
}

QString UserDataDir()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/velmora");
}

QString UserConfigDir()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/velmora");
}

bool MakePrivateDir(const QString &path)
{
    if (QFileInfo(path).isDir())
        return true;
    // The parents are the user's ordinary folders (~/.local/share); only
    // our own is kept to its owner.
    return QDir().mkpath(QFileInfo(path).absolutePath()) &&
           QDir().mkdir(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}
