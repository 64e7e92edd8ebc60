#include "controller/configurator.h"

#include "base/busycursor.h"
#include "base/debuglog.h"
#include "base/imagecollections.h"
#include "base/images.h"
#include "base/product.h"
#include "base/savetext.h"
#include "device/vlmclient.h"
#include "i18n/localization.h"
#include "model/settingsparser.h"

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

Configurator::Configurator(const QString &programDir, const QString &devPath, const QString &devName,
                           bool useLocal, bool saveSent, bool saveDescription, bool saveLocalized)
    : m_pParser(std::make_unique<SettingsParser>()), m_programDir(programDir), m_devPath(devPath),
      m_devName(devName), m_useLocal(useLocal), m_saveSent(saveSent), m_saveDescription(saveDescription),
      m_saveLocalized(saveLocalized)
{
    // The wizards' pictures exist while a controller can open the wizards.
    RegisterMaintenanceImages();
    logVersionBanner();
}

Configurator::~Configurator()
{
    UnregisterMaintenanceImages();
}

QString Configurator::resolvePath(const QString &relative) const
{
    if (relative.isNull() || m_programDir.isNull())
        return m_programDir;
    if (relative.startsWith(QLatin1String("./")))
        return m_programDir + relative.mid(1);
    return QDir::cleanPath(m_programDir + QLatin1Char('/') + relative);
}

void Configurator::logVersionBanner() const
{
    const QString path = resolvePath(QStringLiteral("./.version"));
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

QString Configurator::saveFilePath(const char *pattern) const
{
    // The device name may come from the device itself: a '/' in it would
    // make the file land in another directory, so it becomes '_' in the
    // file name (".." then stays part of one name). Logs keep the name as given.
    QString name = m_devName;
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    return resolvePath(QString::fromLatin1(pattern).arg(name));
}

QString Configurator::readDescription()
{
    QString text;
    if (m_useLocal) {
        const QString path = resolvePath(QStringLiteral("./vlm.xml"));
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            DebugLog("Cannot open file: '%s'", qPrintable(path));
            m_failure = tr("The description file %1 cannot be opened.").arg(path);
            return QString();
        }
        QTextStream stream(&file);
        stream.setEncoding(QStringConverter::System);
        text = stream.readAll();
    } else {
        const BusyCursor busy;
        VLMClient client(m_devPath);
        client.setReadPollInterval(ReadPollMicroseconds);
        client.setCommandTimeout(CommandTimeoutMs);
        const QByteArray bytes = client.getSpecification();
        text = QString::fromLatin1(bytes.constData(), qsizetype(qstrnlen(bytes.constData(), bytes.size())));
        if (client.lastFailure().failed())
            m_failure = linkProblem(client.lastFailure());
    }
    if (m_saveDescription)
        (void)SaveText(saveFilePath("./vlm(%1).xml"), text);
    return text;
}

AboutInfo Configurator::aboutInfo() const
{
    AboutInfo info;
    QFile file(resolvePath(QStringLiteral("./.version")));
    if (file.open(QIODevice::ReadOnly)) {
        QTextStream stream(&file);
        QString word;
        stream >> word;
        info.version = versionFrom(word);
    }
    const QString logoPath = resolvePath(QStringLiteral("../share/icons/logo.png"));
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

NodeDesc *Configurator::loadSettings()
{
    m_failure.clear();
    // A new parser each time: nothing of an earlier read survives a later one.
    m_pParser = std::make_unique<SettingsParser>();
    const QString text = readDescription();
    if (text.isEmpty()) {
        if (m_failure.isEmpty())
            m_failure = tr("The description is empty.");
        return nullptr;
    }
    m_pParser->setAboutInfo(aboutInfo());
    m_pParser->setContent(text);
    (void)m_pParser->parse();

    // Titles, descriptions and options in the system language, before the
    // localized document is saved.
    (void)LocalizeSettings(*m_pParser, m_programDir);
    if (m_saveLocalized)
        (void)m_pParser->save(saveFilePath("./vlm(%1).xml"));
    NodeDesc *root = m_pParser->root();
    if (!root)
        m_failure = descriptionProblem(text);
    return root;
}

bool Configurator::applySettings(const QString &id)
{
    m_failure.clear();
    if (m_saveSent)
        (void)SaveText(saveFilePath("./vlm_send(%1).xml"), m_pParser->getChanges(id));
    const QString changes = m_pParser->getChanges(id);
    if (changes.isEmpty())
        return false; // nothing to send is no failure
    const BusyCursor busy;
    VLMClient client(m_devPath);
    client.setReadPollInterval(ReadPollMicroseconds);
    client.setCommandTimeout(CommandTimeoutMs);
    const bool accepted = client.setChanges(changes);
    if (!accepted)
        m_failure = client.lastFailure().text();
    return accepted;
}
