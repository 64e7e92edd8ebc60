#include "app/startup.h"

#include "app/appsettings.h"
#include "app/debuglog.h"
#include "app/functions.h"
#include "app/localization.h"
#include "app/singleapplication.h"
#include "app/usermessage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPixmapCache>

class NodeDesc;

namespace {
constexpr int InstanceMessageTimeoutMs = 5000;
constexpr int PixmapCacheLimitKb = 1024;
constexpr qint64 VersionLineMax = 1024;

// Empties the pixmap cache when the process ends.
class AutoPixmapCache
{
public:
    AutoPixmapCache() = default;
    AutoPixmapCache(const AutoPixmapCache &) = delete;
    AutoPixmapCache &operator=(const AutoPixmapCache &) = delete;
    ~AutoPixmapCache() { QPixmapCache::clear(); }
};

AutoPixmapCache autoPixmapCache;
// The title and the notice are fixed before main runs.
[[maybe_unused]] const bool titlesReady = (ApplicationTitle(), LegalNotice(), true);

// Stands in for the application controller until it exists. It reports
// the program version from beside the program, as the controller will, but
// knows no source of settings yet, so every start ends in the error path.
class ControllerStandIn
{
public:
    // Takes what the controller will take, though only the program
    // directory means anything here yet.
    ControllerStandIn(const QString &programDir, const QString & /*devPath*/, const QString & /*devName*/,
                      bool /*useLocal*/, bool /*saveSent*/, bool /*saveDescription*/, bool /*saveLocalized*/)
        : m_programDir(programDir)
    {
        logVersionBanner();
    }

    [[nodiscard]] NodeDesc *loadSettings() { return nullptr; }

private:
    void logVersionBanner() const
    {
        const QString path = m_programDir + QStringLiteral("/.version");
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

    QString m_programDir;
};

QString argumentAt(int argc, char **argv, int index)
{
    return index < argc && argv[index] ? QString::fromLocal8Bit(argv[index]) : QString();
}
} // namespace

const QString &ApplicationTitle()
{
    static const QString title = QCoreApplication::translate("@default", "Velmora");
    return title;
}

const QString &LegalNotice()
{
    static const QString notice =
        QCoreApplication::translate("@default", "Copyright (c) The Velmora Authors. All rights reserved.");
    return notice;
}

QString InstanceKey(const char *devPath, const char *devName)
{
    return QString::fromLocal8Bit(QByteArray(devPath) + ' ' + QByteArray(devName));
}

StartOptions ReadStartOptions(const AppSettings &settings, int argc, char **argv)
{
    StartOptions options;
    options.saveLocalizedDescription = settings.contains(QStringLiteral("save_new_vlm"));
    options.saveDescription = settings.contains(QStringLiteral("save_vlm"));
    options.saveSentDocument = settings.contains(QStringLiteral("save_vlm_send"));
    options.useLocalDescription = settings.contains(QStringLiteral("use_local_vlm"));
    options.devName = argumentAt(argc, argv, 2);
    options.devPath = argumentAt(argc, argv, 1);
    options.programDir = argc > 0 && argv[0] ? GetApplicationDir(argv[0]) : QString();
    return options;
}

void EnterProgramDirectory(const QByteArray &argv0)
{
    DebugLog("QDir::currentDirPath=<%s>", qPrintable(QDir::currentPath()));
    const QString target = QFileInfo(QFile::decodeName(argv0)).absolutePath();
    if (!QDir::setCurrent(target))
        DebugLog("Failed to change the current directory");
    DebugLog("QDir::currentDirPath=<%s>", qPrintable(QDir::currentPath()));
}

int RunSettings(const StartOptions &options)
{
    ControllerStandIn controller(options.programDir, options.devPath, options.devName,
                                 options.useLocalDescription, options.saveSentDocument,
                                 options.saveDescription, options.saveLocalizedDescription);
    if (!controller.loadSettings()) {
        const QString text = QCoreApplication::translate("@default", "Cannot get printer settings!");
        DebugLog("%s", qPrintable(text));
        UserMessage::critical(nullptr, QCoreApplication::translate("@default", "Error"), text);
        return 1;
    }
    // The settings window comes with the real controller; until then a
    // start never gets this far.
    return 1;
}

int VelmoraMain(int argc, char **argv)
{
    if (argc < 3) {
        DebugLog("Usage: %s <devPath> <devName>", qPrintable(ApplicationTitle()));
        return 1;
    }
    const AppSettings settings(argc, argv);
    const QString key = InstanceKey(argv[1], argv[2]);

    SingleApplication app(key, argc, argv);
    // The toolkit ignores a cache limit set before its application exists.
    QPixmapCache::setCacheLimit(PixmapCacheLimitKb);
    if (app.sendMessage(key, InstanceMessageTimeoutMs))
        return 0;
    app.initialize(false);

    // The program directory is looked up before the change of directory: a
    // relative program path names the file as seen from where we started.
    const StartOptions options = ReadStartOptions(settings, argc, argv);
    EnterProgramDirectory(argv[0]);
    for (int i = 0; i < argc; ++i)
        DebugLog("arg[%d] = %s", i, argv[i]);
    // The same language code later picks the translation document, so the
    // program's own texts and the device's never mix languages.
    InstallProgramTranslations(options.programDir, GetSystemLocale());

    return RunSettings(options);
}
