#include "fuzz/harness.h"

#include "base/usermessage.h"
#include "fuzz/scripteddevice.h"
#include "i18n/localization.h"
#include "i18n/translator.h"
#include "model/aboutinfo.h"
#include "model/element.h"
#include "model/enumerate.h"
#include "model/settingsparser.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QWidget>

#include <cstdlib>

namespace {

const QString ExtraDependencies = QStringLiteral("dependencies.xml");
// A run tree of its own below the working directory: the program directory,
// beside it the installed folder of the fall-back language, and the user's
// data folder whose copy of the translation document is read and written back.
const QString ProgramDir = QStringLiteral("run/bin");
const QString InstalledTranslations = QStringLiteral("run/share/velmora/translation/en");
const QString UserDir = QStringLiteral("run/user");
const QString TranslationFile = QStringLiteral("run/user/translation/en/vlm_en.xml");

QList<Element *> allElements(SettingsParser &parser)
{
    QList<Element *> elements;
    if (parser.root()) {
        enumerate(
            parser.root(),
            [](Element *element, void *list) {
                static_cast<QList<Element *> *>(list)->append(element);
                return true;
            },
            &elements);
    }
    return elements;
}

bool parseDescription(SettingsParser &parser, const QString &text)
{
    parser.setAboutInfo(AboutInfo());
    parser.setContent(text);
    const bool parsed = parser.parse();
    ExerciseDescription(parser);
    return parsed && parser.root();
}

void writeFile(const QString &name, const QByteArray &bytes)
{
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        std::abort();
}

// The description the dependency target adds its rules to: every kind of
// setting, with rules of its own.
const QString &baseDescription()
{
    static const QString text = [] {
        QFile file(QStringLiteral(VELMORA_FUZZ_BASE_DESCRIPTION));
        if (!file.open(QIODevice::ReadOnly))
            std::abort();
        return QString::fromUtf8(file.readAll());
    }();
    return text;
}

} // namespace

void SetUpFuzzing()
{
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &) {
        if (type == QtFatalMsg)
            std::abort();
    });
    UserMessage::setAnswerer([](const UserMessage::Request &) { return QMessageBox::Ok; });
    // A document entry without its Value ends the program; that is how the
    // program treats a broken translation, not a fault to report.
    Translator::setFormatErrorHandler([] {});
    static QTemporaryDir directory;
    if (!directory.isValid() || !QDir::setCurrent(directory.path()) ||
        !QDir().mkpath(QFileInfo(TranslationFile).path()) || !QDir().mkpath(ProgramDir) ||
        !QDir().mkpath(InstalledTranslations))
        std::abort();
    (void)baseDescription();
}

void ExerciseDescription(SettingsParser &parser)
{
    const QList<Element *> elements = allElements(parser);
    QWidget panel;
    panel.resize(370, 145);
    for (Element *element : elements) {
        element->createControl(&panel);
        element->checkConstraints(nullptr, true);
        (void)element->isValid();
        element->checkDependencies();
        element->deleteControl();
        (void)element->isValid();
    }
    (void)parser.getChanges(QString(""));
    // Buttons give their press, pop-up forms their members' changes, the rest "".
    for (Element *element : elements)
        (void)parser.getChanges(element->id());
    (void)parser.readPhoneBook();
    (void)parser.readEmailBook();
    (void)parser.readAddressBook();
    // Controls given up with deleteLater go now: no event loop runs here.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

bool FuzzDescription(const QByteArray &bytes)
{
    QFile::remove(ExtraDependencies);
    SettingsParser parser;
    return parseDescription(parser, QString::fromUtf8(bytes));
}

bool FuzzDependencies(const QByteArray &bytes)
{
    writeFile(ExtraDependencies, bytes);
    SettingsParser parser;
    return parseDescription(parser, baseDescription());
}

bool FuzzTranslation(const QByteArray &bytes)
{
    writeFile(TranslationFile, bytes);
    SettingsParser parser;
    parser.setContent(baseDescription());
    (void)parser.parse();
    return LocalizeSettings(parser, QDir(ProgramDir).absolutePath(), QDir(UserDir).absolutePath());
}

bool FuzzDevice(const QByteArray &bytes)
{
    ScriptedDevice device(bytes);
    const bool fetched = !device.getSpecification().isEmpty();
    (void)device.setChanges(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<root>\n"
                                           " <PrinterSettingsInfo>\n  <Copies CURRENT=\"2\" />\n"
                                           " </PrinterSettingsInfo>\n</root>"));
    return fetched;
}
