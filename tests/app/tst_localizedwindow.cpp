// The settings window as a user with a given locale sees it: the device's
// texts from the translation document and the program's own from its
// catalogue, both in the one language that the locale picks. The run tree is
// a private copy, since the pass writes its document back.
#include "app/startup.h"
#include "base/systemlocale.h"
#include "common/logcapture.h"
#include "common/messageboxrecorder.h"
#include "common/programfaults.h"
#include "common/treerows.h"
#include "controller/configuratorfixture.h"
#include "i18n/localization.h"
#include "maintenance/cartridgeclean.h"
#include "widgets/aboutwidget.h"
#include "window/settingsdialog.h"

#include <QAbstractButton>
#include <QLibraryInfo>
#include <QPushButton>
#include <QTest>
#include <QTranslator>
#include <QTreeWidget>

#include <clocale>

namespace {

// Qt's own catalogues come with the system's Qt, when it has them installed.
bool hasQtCatalogue(const char *code)
{
    return QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_") +
                         QLatin1String(code) + QStringLiteral(".qm"));
}

// The locale of a user's session, as start-up takes it: LC_ALL and the
// catalogues it loads. Puts the suite's own locale back and drops the
// catalogues afterwards.
class UserLocale
{
public:
    UserLocale(const QByteArray &name, const QString &programDir) : m_saved(qgetenv("LC_ALL"))
    {
        qputenv("LC_ALL", name);
        m_loaded = InstallProgramTranslations(programDir, GetSystemLocale());
    }
    ~UserLocale()
    {
        qDeleteAll(QCoreApplication::instance()->findChildren<QTranslator *>());
        qputenv("LC_ALL", m_saved);
        std::setlocale(LC_CTYPE, "");
    }
    UserLocale(const UserLocale &) = delete;
    UserLocale &operator=(const UserLocale &) = delete;

    int loaded() const { return m_loaded; }

private:
    QByteArray m_saved;
    int m_loaded = 0;
};

// A tree whose program reads the sample device from its local file.
bool withLocalSample(const RunTreeCopy &tree)
{
    QFile sample(samplePath());
    return tree.isValid() && sample.open(QIODevice::ReadOnly) &&
           tree.writeData(QStringLiteral("vlm.xml"), sample.readAll());
}

// Every push button shows its whole text: German texts are longer, and a
// button narrower than its text would cut it off.
QStringList clippedButtons(const QWidget &window)
{
    QStringList clipped;
    for (const QPushButton *button : window.findChildren<QPushButton *>()) {
        if (button->isVisible() && button->width() < button->sizeHint().width())
            clipped << QStringLiteral("%1 (%2 < %3)")
                           .arg(button->text())
                           .arg(button->width())
                           .arg(button->sizeHint().width());
    }
    return clipped;
}

} // namespace

class TestLocalizedWindow : public QObject
{
    Q_OBJECT

private slots:
    void init() { FailOnProgramFaults(); }

    void initTestCase()
    {
        const QByteArray saved = qgetenv("LC_ALL");
        qputenv("LC_ALL", "de_DE.UTF-8");
        const bool german = std::setlocale(LC_CTYPE, "") != nullptr;
        qputenv("LC_ALL", saved);
        std::setlocale(LC_CTYPE, "");
        QVERIFY2(german, "the de_DE.UTF-8 locale is missing: tools/setup.sh test generates it");
    }

    void germanWindow()
    {
        RunTreeCopy tree;
        QVERIFY(withLocalSample(tree));
        UserLocale user("de_DE.UTF-8", tree.binDir());
        QCOMPARE(user.loaded(), hasQtCatalogue("de") ? 2 : 1);

        MessageBoxRecorder boxes;
        const auto controller = controllerIn(tree, QStringLiteral("/nonexistent/device"), "Office", {true});
        SettingsDialog dialog;
        dialog.initialize(controller.get(), QStringLiteral("Office"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));

        const QStringList rows{"Informationen", "Papier", "Papierformat", "Kopien", "Wartung"};
        const QStringList ids{"Information", "Paper", "PaperSize", "Copies", "Maintenance"};
        for (int i = 0; i < ids.size(); ++i) {
            const SettingsViewItem *row = TreeRow(dialog.paramList, ids.at(i));
            QVERIFY2(row, qPrintable(ids.at(i)));
            QCOMPARE(row->text(0), rows.at(i));
        }
        QCOMPARE((QStringList{dialog.defBtn->text(), dialog.applyBtn->text(), dialog.closeBtn->text(),
                              dialog.favoriteList->headerItem()->text(0)}),
                 (QStringList{"Werkseinstellung", "Übernehmen", "Beenden", "Favoriten"}));
        QVERIFY2(clippedButtons(dialog).isEmpty(), qPrintable(clippedButtons(dialog).join(", ")));

        // The About row (its element is named by the program) shows the
        // notice when chosen after another setting.
        dialog.paramList->setCurrentItem(TreeRow(dialog.paramList, QStringLiteral("Copies")));
        QVERIFY(!dialog.panel->findChild<AboutWidget *>());
        SettingsViewItem *aboutRow = TreeRow(dialog.paramList, QStringLiteral("AboutElement"));
        QVERIFY(aboutRow);
        dialog.paramList->setCurrentItem(aboutRow);
        const auto *about = dialog.panel->findChild<AboutWidget *>();
        QVERIFY(about);
        QCOMPARE(about->copyrightText(),
                 QStringLiteral("Copyright (c) Die Velmora-Autoren. Alle Rechte vorbehalten."));
        QCOMPARE(boxes.count(), 0);
    }

    // The wizards speak the language of the window, Qt's own buttons included.
    void germanWizard()
    {
        RunTreeCopy tree;
        QVERIFY(tree.isValid());
        UserLocale user("de_DE.UTF-8", tree.binDir());
        CartridgeClean wizard("/nonexistent/device", QStringLiteral("InkClean"));
        wizard.show();
        QVERIFY(QTest::qWaitForWindowExposed(&wizard));
        QCOMPARE(wizard.windowTitle(), QStringLiteral("Tintenpatronen reinigen"));
        QCOMPARE(wizard.button(QWizard::NextButton)->text(), QStringLiteral("Reinigen"));
        if (hasQtCatalogue("de"))
            QCOMPARE(wizard.button(QWizard::CancelButton)->text(), QStringLiteral("Abbrechen"));
        QVERIFY2(clippedButtons(wizard).isEmpty(), qPrintable(clippedButtons(wizard).join(", ")));
    }

    // Start-up without settings: the box and the reason behind it in German,
    // the trace in the one language it is always written in.
    void germanStartupError()
    {
        RunTreeCopy tree;
        QVERIFY(tree.isValid());
        UserLocale user("de_DE.UTF-8", tree.binDir());
        MessageBoxRecorder boxes;
        LogCapture log;
        StartOptions options;
        options.programDir = tree.binDir();
        options.devPath = QStringLiteral("/nonexistent/device");
        options.devName = QStringLiteral("Office");
        options.useLocalDescription = true; // and no vlm.xml in the data folder
        QDir::setCurrent(tree.binDir());
        QCOMPARE(RunSettings(options), 1);
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().caption, QStringLiteral("Fehler"));
        QCOMPARE(boxes.last().text, QStringLiteral("Die Druckereinstellungen können nicht gelesen werden!"));
        QVERIFY(log.contains(QStringLiteral("Cannot get printer settings!")));
        QVERIFY2(boxes.last().informativeText.startsWith(QStringLiteral("Die Beschreibungsdatei ")),
                 qPrintable(boxes.last().informativeText));
    }
};

QTEST_MAIN(TestLocalizedWindow)
#include "tst_localizedwindow.moc"
