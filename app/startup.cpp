#include "app/startup.h"
#include "base/product.h"

#include "app/appsettings.h"
#include "app/devicepicker.h"
#include "app/singleapplication.h"
#include "base/debuglog.h"
#include "base/programpaths.h"
#include "base/systemlocale.h"
#include "base/usermessage.h"
#include "controller/configurator.h"
#include "controller/devicebudget.h"
#include "i18n/localization.h"
#include "window/settingsdialog.h"
#include "window/windowsize.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPixmapCache>

namespace {
// Deviation from a hand-over that gives up after 5000 ms and then starts
// on the device: the instance may be anywhere in its own start, and a
// second process on the node breaks the first one's exchanges. Once it
// holds the lock, an instance answers from its event loop and while a fetch
// awaits a reply, but it may be waiting out a write or the node of another
// client for a whole exchange budget, or parsing. The offer stands for the
// longest start there is: two fetches of two exchanges each and two parses.
constexpr int ParseAllowanceMs = 4000;
constexpr int HandOverBoundMs = 4 * int(DeviceBudget::CommandTimeoutMs) + 2 * ParseAllowanceMs;
constexpr int PixmapCacheLimitKb = 1024;

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
// The product name is fixed before main runs; it reads the same in every language.
[[maybe_unused]] const bool titleReady = (ApplicationTitle(), true);

// The start-up error: the window never shows without settings.
int settingsUnavailable(const QString &reason)
{
    static const char text[] = QT_TRANSLATE_NOOP("@default", "Cannot get printer settings!");
    // The trace stays in one language whatever the locale; the box speaks the user's.
    DebugLog("%s", text);
    // The box also says why, so the user knows what to set right.
    UserMessage::critical(nullptr, QCoreApplication::translate("@default", "Error"),
                          QCoreApplication::translate("@default", text), reason);
    return 1;
}

QString argumentAt(int argc, char **argv, int index)
{
    return index < argc && argv[index] ? QString::fromLocal8Bit(argv[index]) : QString();
}
} // namespace

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

std::optional<int> HandOver(SingleApplication &app, const QString &key, int boundMs)
{
    switch (app.sendMessage(key, boundMs)) {
    case SingleApplication::Delivery::Delivered:
        return 0;
    case SingleApplication::Delivery::NoInstance:
        return std::nullopt;
    case SingleApplication::Delivery::Unanswered:
        break;
    }
    static const char text[] = QT_TRANSLATE_NOOP("@default", "%1 is already running for this device.");
    DebugLog("%s", qPrintable(QString::fromLatin1(text).arg(ApplicationTitle())));
    UserMessage::critical(
        nullptr, QCoreApplication::translate("@default", "Error"),
        QCoreApplication::translate("@default", text).arg(ApplicationTitle()),
        QCoreApplication::translate("@default", "It did not answer; close it, or wait until it has started, "
                                                "and try again."));
    return 1;
}

int RunSettings(const StartOptions &options, const std::function<void()> &whileWaiting)
{
    Configurator controller(options.programDir, options.devPath, options.devName, options.useLocalDescription,
                            options.saveSentDocument, options.saveDescription,
                            options.saveLocalizedDescription);
    controller.setWaitWork(whileWaiting);
    if (!controller.loadSettings())
        return settingsUnavailable(controller.lastFailure());
    RememberDevice(options.devPath);
    // Declared after the controller, so it goes first: its rows point into
    // the controller's tree.
    SettingsDialog dialog(nullptr, nullptr, false, Qt::WindowFlags());
    // The dialog reads the settings again; a failed read there is the same
    // failure as the first.
    if (!dialog.initialize(&controller, options.devName))
        return settingsUnavailable(controller.lastFailure());
    // Not of fixed size: users must read whole titles and values, so the
    // window opens wide enough for them and can be made larger.
    WindowSize::open(&dialog, dialog.fittingSize());
    const int result = dialog.exec();
    WindowSize::remember(dialog.size());
    return result;
}

int VelmoraMain(int argc, char **argv)
{
    // Started from the menu: no device named, so one is looked for. A
    // single argument stays a usage error.
    if (argc == 1)
        return StartWithoutArguments(argv[0], VelmoraMain);
    if (argc < 3) {
        DebugLog("Usage: %s <devPath> <devName>", qPrintable(ApplicationTitle()));
        return 1;
    }
    const AppSettings settings(argc, argv);
    const QString key = InstanceKey(argv[1], argv[2]);

    SingleApplication app(key, argc, argv);
    // The toolkit ignores a cache limit set before its application exists.
    QPixmapCache::setCacheLimit(PixmapCacheLimitKb);
    // The program directory is looked up before the change of directory: a
    // relative program path names the file as seen from where we started.
    const StartOptions options = ReadStartOptions(settings, argc, argv);
    // Before the hand-over, whose refusal is said in the user's language.
    // The same language code later picks the translation document, so the
    // program's own texts and the device's never mix languages.
    InstallProgramTranslations(options.programDir, GetSystemLocale());
    if (const std::optional<int> status = HandOver(app, key, HandOverBoundMs))
        return *status;
    app.initialize(false);

    EnterProgramDirectory(argv[0]);
    for (int i = 0; i < argc; ++i)
        DebugLog("arg[%d] = %s", i, argv[i]);

    // A second start asks while the device is still being asked.
    return RunSettings(options, [&app] { app.answerPending(); });
}
