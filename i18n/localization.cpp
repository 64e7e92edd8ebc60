#include "i18n/localization.h"

#include "base/debuglog.h"
#include "base/programpaths.h"
#include "base/systemlocale.h"
#include "i18n/translator.h"
#include "model/settingsparser.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace {

const QString FallbackCode = QStringLiteral("en");

// A path below the program directory, resolved as the controller resolves
// its own files.
QString resolved(const QString &programDir, const QString &relative)
{
    return QDir::cleanPath(programDir + QLatin1Char('/') + relative);
}

QString folderPath(const QString &programDir, const QString &code)
{
    return resolved(programDir, QString::asprintf("%s%s", TranslationFolderBase, qPrintable(code)));
}

// The language whose document describes the device: the code itself when
// its folder exists, English otherwise. Without a locale (setlocale failed)
// the code is empty and the path names the base folder itself, which exists;
// that must not count as a language folder.
QString documentLanguage(const QString &programDir, const QString &code)
{
    return code.isEmpty() || !QFileInfo::exists(folderPath(programDir, code)) ? FallbackCode : code;
}

bool loadCatalogue(const QString &name, const QString &folder)
{
    // By its exact file name: QTranslator's own search would fall back to
    // shorter names ("qtbase.qm") for a code it has no catalogue for.
    const QString path = folder + QLatin1Char('/') + name + QLatin1String(".qm");
    if (!QFileInfo::exists(path))
        return false;
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(path) && QCoreApplication::installTranslator(translator)) {
        DebugLog("Translations: %s loaded from %s", qPrintable(name), qPrintable(folder));
        return true;
    }
    delete translator;
    return false;
}

// The installed document, read once while its bytes stay the same: the
// window localizes two reads of the description at its start, and a parse
// of the document costs more than both lookups passes.
std::shared_ptr<Translator> installedTranslator(const QString &fileName)
{
    static QString keptName;
    static QByteArray keptBytes;
    static std::shared_ptr<Translator> kept;
    QFile file(fileName);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    file.close();
    if (kept && !bytes.isNull() && fileName == keptName && bytes == keptBytes)
        return kept;
    kept = std::make_shared<Translator>(&file);
    keptName = fileName;
    keptBytes = bytes;
    return kept;
}

} // namespace

bool LocalizeSettings(SettingsParser &parser, const QString &programDir, const QString &userDir)
{
    QString code = GetSystemLocale();
    DebugLog("VLM System locale: %s \n", qPrintable(code));
    DebugLog("VLM folderName: %s \n", qPrintable(code));
    code = documentLanguage(programDir, code);
    const QString folder = folderPath(programDir, code);
    DebugLog("VLM [en]folderName: %s \n", qPrintable(code));
    if (!QFileInfo::exists(folder)) {
        DebugLog("VLM [en]folderName: %s doesn't exist!!! \n", qPrintable(folder));
        return false;
    }

    const QString documentName = QStringLiteral("vlm_%1.xml").arg(code);
    const QString installedName = folder + QLatin1Char('/') + documentName;
    DebugLog("Translation file: %s", qPrintable(installedName));
    std::shared_ptr<Translator> installed = installedTranslator(installedName);
    if (userDir.isNull()) {
        // Read-only use (velmoractl): the installed texts, nothing written.
        // What the pass adds for missing texts goes into a document of its
        // own, so the kept installed one stays as it was read.
        Translator scratch(nullptr);
        scratch.setFallback(installed);
        (void)parser.translate(scratch);
        return true;
    }

    const QString userFolder = userDir + QLatin1Char('/') + QLatin1String(UserTranslationFolder) + code;
    const QString userName = userFolder + QLatin1Char('/') + documentName;
    DebugLog("Translation file of the user: %s", qPrintable(userName));
    QFile userFile(userName);
    Translator translator(&userFile);
    translator.setFallback(installed);
    // A pass cut short by a broken entry writes nothing.
    if (parser.translate(translator) && MakePrivateDir(userDir) && QDir().mkpath(userFolder))
        translator.save(userName);
    return true;
}

int InstallProgramTranslations(const QString &programDir, const QString &code)
{
    if (!QCoreApplication::instance())
        return 0;
    // The device's texts come in the language of the document the pass will
    // pick; the program's own follow it, so a locale without a document
    // never puts its own buttons beside English settings.
    const QString language = documentLanguage(programDir, code);
    int loaded = 0;
    loaded +=
        loadCatalogue(QStringLiteral("velmora_") + language, resolved(programDir, ProgramCatalogueFolder));
    loaded += loadCatalogue(QStringLiteral("qtbase_") + language,
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    return loaded;
}
