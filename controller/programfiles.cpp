#include "controller/programfiles.h"

#include "base/debuglog.h"
#include "base/images.h"
#include "base/product.h"
#include "base/programpaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPixmapCache>
#include <QTextStream>

namespace {
constexpr qint64 VersionLineMax = 1024;

// The version as the first word of the version file gives it: up to three
// dot-separated decimal numbers, anything that is not a number counting as 0.
Version versionFrom(const QString &word)
{
    const QStringList pieces = word.split(QLatin1Char('.'), Qt::SkipEmptyParts);
    quint32 numbers[3] = {0, 0, 0};
    for (int i = 0; i < 3 && i < pieces.size(); ++i)
        numbers[i] = pieces.at(i).toUInt(); // 0 when it is not a number
    return Version(numbers[0], numbers[1], numbers[2]);
}
} // namespace

ProgramFiles::ProgramFiles(const QString &programDir, const QString &devName)
    : m_programDir(programDir), m_devName(devName)
{}

QString ProgramFiles::resolvePath(const QString &relative) const
{
    if (relative.isNull() || m_programDir.isNull())
        return m_programDir;
    if (relative.startsWith(QLatin1String("./")))
        return m_programDir + relative.mid(1);
    return QDir::cleanPath(m_programDir + QLatin1Char('/') + relative);
}

QString ProgramFiles::sharePath(const QString &relative) const
{
    return resolvePath(QString::fromLatin1(ShareFolder) + QLatin1Char('/') + relative);
}

namespace {
// A file in one of the user's folders, which is made (owner-only) when missing.
QString inPrivateDir(const QString &dir, const QString &name)
{
    if (!MakePrivateDir(dir))
        DebugLog("Cannot create the folder '%s'", qPrintable(dir));
    return dir + QLatin1Char('/') + name;
}
} // namespace

QString ProgramFiles::userDataPath(const QString &name)
{
    // The program never writes below its installation: a packaged copy is
    // shared by every user and must stay as the package left it.
    return inPrivateDir(UserDataDir(), name);
}

QString ProgramFiles::userConfigPath(const QString &name)
{
    return inPrivateDir(UserConfigDir(), name);
}

QString ProgramFiles::saveFilePath(const char *pattern) const
{
    // The device name may come from the device itself: a '/' in it would
    // make the file land in another directory, so it becomes '_' in the
    // file name (".." then stays part of one name). Logs keep the name as given.
    QString name = m_devName;
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    return userDataPath(QString::fromLatin1(pattern).arg(name));
}

void ProgramFiles::logVersionBanner() const
{
    // The lines name the controller's constructor, which logs the banner:
    // that is where a reader of the trace looks for it.
    const QString path = sharePath(QStringLiteral("version"));
    if (!QFileInfo::exists(path)) {
        DebugLog("Configurator::Configurator() can't get application version");
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        DebugLog("Configurator::Configurator() can't open version file");
        return;
    }
    const QByteArray line = file.readLine(VersionLineMax);
    if (line.isEmpty()) {
        DebugLog("Configurator::Configurator() can't read version file");
        return;
    }
    DebugLog("\n=========================================================\n\t\t%s: "
             "%s=========================================================\n",
             qPrintable(ApplicationTitle()), line.constData());
}

AboutInfo ProgramFiles::aboutInfo() const
{
    AboutInfo info;
    QFile file(sharePath(QStringLiteral("version")));
    if (file.open(QIODevice::ReadOnly)) {
        QTextStream stream(&file);
        QString word;
        stream >> word;
        info.version = versionFrom(word);
    }
    const QString logoPath = sharePath(QStringLiteral("icons/logo.png"));
    if (!QPixmapCache::find(logoPath, &info.logo)) {
        info.logo = QPixmap::fromImage(ReadImage(logoPath));
        if (!info.logo.isNull())
            QPixmapCache::insert(logoPath, info.logo);
    }
    info.model = m_devName;
    info.sw = ApplicationTitle();
    info.copyrights = LegalNotice();
    return info;
}
