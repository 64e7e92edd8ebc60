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
#include "i18n/localization.h"
#include "window/settingsdialog.h"
#include "window/windowsize.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QPixmapCache>

#include <future>

namespace {
constexpr int InstanceMessageTimeoutMs = 5000;
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

// Reading the system's font configuration is the largest single cost of a
// start (10 to 15 ms). It runs on a second thread while the device is asked
// for its settings; the window is built once it is done. Where no thread can
// be started it runs at the wait instead.
std::shared_future<void> &fontsRead()
{
    static std::shared_future<void> done;
    return done;
}

void startReadingFonts()
{
    if (!fontsRead().valid())
        fontsRead() = std::async(std::launch::async | std::launch::deferred, [] {
                          (void)QFontDatabase::families();
                      }).share();
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

int RunSettings(const StartOptions &options)
{
    startReadingFonts();
    Configurator controller(options.programDir, options.devPath, options.devName, options.useLocalDescription,
                            options.saveSentDocument, options.saveDescription,
                            options.saveLocalizedDescription);
    const bool loaded = controller.loadSettings() != nullptr;
    fontsRead().wait();
    if (!loaded) {
        static const char text[] = QT_TRANSLATE_NOOP("@default", "Cannot get printer settings!");
        // The trace stays in one language whatever the locale; the box speaks the user's.
        DebugLog("%s", text);
        // The box also says why, so the user knows what to set right.
        UserMessage::critical(nullptr, QCoreApplication::translate("@default", "Error"),
                              QCoreApplication::translate("@default", text), controller.lastFailure());
        return 1;
    }
    RememberDevice(options.devPath);
    SettingsDialog dialog(nullptr, nullptr, false, Qt::WindowFlags());
    dialog.initialize(&controller, options.devName);
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
    if (app.sendMessage(key, InstanceMessageTimeoutMs))
        return 0;
    startReadingFonts();
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
