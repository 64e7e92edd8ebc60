#include "common/datatable.h"
#include "common/logcapture.h"
#include "i18n/localization.h"
#include "model/element.h"
#include "model/settingsparser.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

#include <clocale>

namespace {

const QString StagedTranslations = QStringLiteral(VELMORA_STAGE_DIR "/share/translation");

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Runs with LC_ALL set as given, and puts the suite's own locale back after.
class ForcedLocale
{
public:
    explicit ForcedLocale(const QByteArray &name) : m_saved(qgetenv("LC_ALL")) { qputenv("LC_ALL", name); }
    ~ForcedLocale()
    {
        qputenv("LC_ALL", m_saved);
        std::setlocale(LC_CTYPE, "");
    }
    ForcedLocale(const ForcedLocale &) = delete;
    ForcedLocale &operator=(const ForcedLocale &) = delete;

private:
    QByteArray m_saved;
};

} // namespace

class TestLocalization : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        ForcedLocale german("de_DE.UTF-8");
        QVERIFY2(std::setlocale(LC_CTYPE, "") != nullptr,
                 "the de_DE.UTF-8 locale is missing: tools/setup.sh test generates it");
    }

    // The step on a private copy of the run tree, holding the given
    // language folders.
    void localize_data()
    {
        addColumns<QByteArray, QStringList, QString, QString, QStringList>(
            {"locale", "folders", "used", "title", "lines"});
        addRow("German locale picks the German document", QByteArray("de_DE.UTF-8"), QStringList{"de", "en"},
               QStringLiteral("de"), QStringLiteral("Papierformat"),
               QStringList{"VLM System locale: de \n", "VLM folderName: de \n", "VLM [en]folderName: de \n"});
        addRow("C locale falls back to English", QByteArray("C"), QStringList{"de", "en"},
               QStringLiteral("en"), QStringLiteral("Paper size"),
               QStringList{"VLM System locale: C \n", "VLM folderName: C \n", "VLM [en]folderName: en \n"});
        addRow("a language without its folder falls back to English", QByteArray("de_DE.UTF-8"),
               QStringList{"en"}, QStringLiteral("en"), QStringLiteral("Paper size"),
               QStringList{"VLM [en]folderName: en \n"});
        addRow("no English folder leaves the device's texts", QByteArray("C"), QStringList(), QString(),
               QStringLiteral("IDS_PAPER_SIZE"), QStringList{"VLM [en]folderName: en \n"});
    }

    void localize()
    {
        QFETCH(QByteArray, locale);
        QFETCH(QStringList, folders);
        QFETCH(QString, used);
        QTemporaryDir tree;
        QVERIFY(QDir(tree.path()).mkpath(QStringLiteral("bin")));
        for (const QString &code : folders) {
            const QString folder = QStringLiteral("/share/translation/") + code;
            const QString name = QStringLiteral("/vlm_%1.xml").arg(code);
            QVERIFY(QDir(tree.path()).mkpath(folder.mid(1)));
            QVERIFY(QFile::copy(StagedTranslations + QLatin1Char('/') + code + name,
                                tree.path() + folder + name));
        }
        QDir::setCurrent(tree.path());
        QFile description(QDir::cleanPath(QStringLiteral(VELMORA_DESCRIPTIONS "/sample_mfp.xml")));
        SettingsParser parser(&description);
        QVERIFY(parser.parse());

        LogCapture log;
        {
            ForcedLocale forced(locale);
            QCOMPARE(LocalizeSettings(parser, tree.path() + QStringLiteral("/bin")), !used.isEmpty());
        }
        QTEST(parser.findElement(QStringLiteral("PaperSize"))->title(), "title");
        QFETCH(QStringList, lines);
        for (const QString &line : lines)
            QVERIFY2(log.contains(line), qPrintable(line));
        const QString file =
            tree.path() +
            QStringLiteral("/share/translation/%1/vlm_%1.xml").arg(used.isEmpty() ? "en" : used);
        if (used.isEmpty()) {
            QVERIFY(
                log.contains(QStringLiteral("VLM [en]folderName: %1/share/translation/en doesn't exist!!! \n")
                                 .arg(tree.path())));
            QVERIFY(!QFile::exists(file));
        } else {
            QVERIFY(log.contains(QStringLiteral("Translation file: ") + file));
            // The sample device's keys are all there: the write-back changes nothing.
            QCOMPARE(fileBytes(file),
                     fileBytes(StagedTranslations + QStringLiteral("/%1/vlm_%1.xml").arg(used)));
        }
    }

    void programCatalogues()
    {
        const QString binDir = QStringLiteral(VELMORA_STAGE_DIR "/bin");
        const bool qtCatalogue = QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) +
                                               QStringLiteral("/qtbase_de.qm"));
        // A code without a translation document takes English, as the
        // device's texts do: Qt's French buttons would stand beside English
        // settings. English needs no catalogue (Qt's own English one is empty).
        QCOMPARE(InstallProgramTranslations(binDir, QStringLiteral("C.")), 0);
        QCOMPARE(InstallProgramTranslations(binDir, QStringLiteral("fr")), 0);
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
        qDeleteAll(QCoreApplication::instance()->findChildren<QTranslator *>());
        QCOMPARE(InstallProgramTranslations(binDir, QStringLiteral("de")), qtCatalogue ? 2 : 1);
        QCOMPARE(QCoreApplication::translate("@default", "Cannot get printer settings!"),
                 QStringLiteral("Die Druckereinstellungen können nicht gelesen werden!"));
        QCOMPARE(QCoreApplication::translate("Ui_PopupForm", "Apply"), QStringLiteral("Übernehmen"));
        QCOMPARE(QCoreApplication::translate("ConcreteElement", "Error"), QStringLiteral("Fehler"));
        if (qtCatalogue)
            QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Abbrechen"));
        qDeleteAll(QCoreApplication::instance()->findChildren<QTranslator *>());
        QCOMPARE(QCoreApplication::translate("Ui_PopupForm", "Apply"), QStringLiteral("Apply"));
    }
};

QTEST_GUILESS_MAIN(TestLocalization)
#include "tst_localization.moc"
