#include "common/datatable.h"
#include "common/logcapture.h"
#include "i18n/localization.h"
#include "model/element.h"
#include "model/settingsparser.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

#include <clocale>
#include <utility>

namespace {

const QString StagedTranslations = QStringLiteral(VELMORA_STAGE_DIR "/share/velmora/translation");

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
            const QString folder = QStringLiteral("/share/velmora/translation/") + code;
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
            QCOMPARE(LocalizeSettings(parser, tree.path() + QStringLiteral("/bin"), tree.path() + "/user"),
                     !used.isEmpty());
        }
        QTEST(parser.findElement(QStringLiteral("PaperSize"))->title(), "title");
        QFETCH(QStringList, lines);
        for (const QString &line : lines)
            QVERIFY2(log.contains(line), qPrintable(line));
        const QString file =
            tree.path() +
            QStringLiteral("/share/velmora/translation/%1/vlm_%1.xml").arg(used.isEmpty() ? "en" : used);
        if (used.isEmpty()) {
            QVERIFY(
                log.contains(QStringLiteral("VLM [en]folderName: %1/share/velmora/translation/en doesn't exist!!! \n")
                                 .arg(tree.path())));
            QVERIFY(!QFile::exists(file));
        } else {
            QVERIFY(log.contains(QStringLiteral("Translation file: ") + file));
            // The sample device's keys are all there: the installed document
            // stays as it was and the user's copy gets no entry.
            QCOMPARE(fileBytes(file),
                     fileBytes(StagedTranslations + QStringLiteral("/%1/vlm_%1.xml").arg(used)));
            QVERIFY(!fileBytes(tree.path() + QStringLiteral("/user/translation/%1/vlm_%1.xml").arg(used))
                         .contains("<message>"));
        }
    }

    // The installed document is shared by every user and never written: a
    // key it lacks is collected in the user's copy, which is looked at first.
    void userCopyHoldsOnlyMissingKeys()
    {
        QTemporaryDir tree;
        const QString installed = tree.path() + "/share/velmora/translation/en/vlm_en.xml";
        const QString userCopy = tree.path() + "/user/translation/en/vlm_en.xml";
        // The installed document without the paper size's two entries; the
        // user's copy with its own title of Copies.
        QString text = QString::fromUtf8(fileBytes(StagedTranslations + "/en/vlm_en.xml"));
        text.remove(QRegularExpression("<message>\\s*<Id>IDS_PAPER_SIZE( description)?</Id>[^/]*</Value>\\s*</message>"));
        const QByteArray user = "<root><Translation><message><Id>IDS_COPIES</Id><Value>Kopien</Value></message>"
                                "</Translation></root>";
        for (const auto &[path, bytes] : {std::pair{installed, text.toUtf8()}, {userCopy, user}}) {
            QFile file(path);
            QVERIFY(QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly) &&
                    file.write(bytes) == bytes.size());
        }
        QFile description(QDir::cleanPath(QStringLiteral(VELMORA_DESCRIPTIONS "/sample_mfp.xml")));
        SettingsParser parser(&description);
        QVERIFY(parser.parse());
        // Only the English document is installed here, whatever the locale.
        QVERIFY(LocalizeSettings(parser, tree.path() + "/bin", tree.path() + "/user"));
        QCOMPARE(parser.findElement(QStringLiteral("PaperSize"))->title(), QStringLiteral("IDS_PAPER_SIZE"));
        QCOMPARE(parser.findElement(QStringLiteral("Copies"))->title(), QStringLiteral("Kopien"));
        QCOMPARE(QString::fromUtf8(fileBytes(installed)), text);
        // Exactly the two missing keys were added, after what the user had.
        const QString written = QString::fromUtf8(fileBytes(userCopy));
        QCOMPARE(written.count("<Id>"), 3);
        QVERIFY2(written.contains("<Id>IDS_PAPER_SIZE</Id>") && written.contains("<Id>IDS_PAPER_SIZE description</Id>"),
                 qPrintable(written));
        QCOMPARE(QFile::permissions(userCopy) & ~(QFile::ReadUser | QFile::WriteUser),
                 QFile::ReadOwner | QFile::WriteOwner);
    }

    // The installed document is kept between passes: a pass must still see
    // it as it is on disk, and a read-only pass must not leave its
    // placeholders in it for the next one.
    void installedDocumentKeptBetweenPasses()
    {
        QTemporaryDir tree;
        const QString installed = tree.path() + "/share/velmora/translation/en/vlm_en.xml";
        QString text = QString::fromUtf8(fileBytes(StagedTranslations + "/en/vlm_en.xml"));
        text.remove(QRegularExpression("<message>\\s*<Id>IDS_COPIES( description)?</Id>[^/]*</Value>\\s*</message>"));
        const auto install = [&installed](const QString &content) {
            QFile file(installed);
            return QDir().mkpath(QFileInfo(installed).path()) && file.open(QIODevice::WriteOnly) &&
                   file.write(content.toUtf8()) == content.toUtf8().size();
        };
        const auto pass = [&tree](const QString &userDir) {
            QFile description(QDir::cleanPath(QStringLiteral(VELMORA_DESCRIPTIONS "/sample_mfp.xml")));
            SettingsParser parser(&description);
            const bool done = parser.parse() && LocalizeSettings(parser, tree.path() + "/bin", userDir);
            const Element *paper = parser.findElement(QStringLiteral("PaperSize"));
            const Element *copies = parser.findElement(QStringLiteral("Copies"));
            return done && paper && copies ? QStringList{paper->title(), copies->title(), copies->desc()}
                                           : QStringList();
        };
        QVERIFY(install(text));
        const QStringList first = pass(QString());
        QCOMPARE(first.value(0), QStringLiteral("Paper size"));
        QCOMPARE(pass(QString()), first);
        // Same length, other text: read again.
        QVERIFY(install(QString(text).replace("Paper size", "Paper SIZE")));
        QCOMPARE(pass(QString()).value(0), QStringLiteral("Paper SIZE"));
        QCOMPARE(pass(tree.path() + "/user").value(0), QStringLiteral("Paper SIZE"));
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
