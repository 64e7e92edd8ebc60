#include "base/imagecollections.h"
#include "common/datatable.h"
#include "common/logcapture.h"
#include "maintenance/cartridgealignmfp.h"
#include "maintenance/cartridgealignsfp.h"
#include "maintenance/cartridgeclean.h"
#include "maintenance/inkjetmaintenance.h"
#include "maintenance/wizarddriving.h"

#include <QApplication>
#include <QLabel>
#include <QSpinBox>
#include <QTest>

#include <memory>

namespace {

QString statusOf(QWizard &wizard)
{
    auto *status = wizard.currentPage()->findChild<QLabel *>("commandStatus");
    return status && status->isVisible() ? status->text() : QString();
}

// The patterns the walks pick, set A to G, and the set commands that carry
// them as received() shows them; F and G count only with photo ink.
const QList<int> ChosenPatterns{13, 2, 17, 11, 1, 21, 7};
const QStringList Choices{"set A 550b000d",   "set B 5512000102", "set C 5512000011", "set D 551200020b",
                          "set E 5512010201", "set F 5512020315", "set G 5512020407"};

// The wizard a walk drives; the multi-function wizard only writes directly.
std::unique_ptr<MaintenanceWizard> makeWizard(const QString &kind, bool photoInk, const char *path,
                                              const QString &id)
{
    if (kind == QLatin1String("cleaning"))
        return std::make_unique<CartridgeClean>(path, id);
    if (kind == QLatin1String("multi-function"))
        return std::make_unique<CartridgeAlignMFP>(path);
    return std::make_unique<CartridgeAlignSFP>(photoInk, path, id);
}

} // namespace

class TestWizards : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { RegisterMaintenanceImages(); }
    void cleanupTestCase() { UnregisterMaintenanceImages(); }

    void init()
    {
        // A device of its own per test, so the record holds only this test's commands.
        m_pDevice = std::make_unique<SimulatedDevice>();
        QVERIFY2(m_pDevice->start(QStringLiteral(VELMORA_SAMPLES_DIR "/sample_mfp.xml")),
                 qPrintable(m_pDevice->errorText()));
        m_path = m_pDevice->devicePath().toLatin1();
    }
    void cleanup() { m_pDevice.reset(); }

    // Each wizard clicked through to "Done", a second round included: the
    // buttons every page shows, what the device received and how often the
    // setting was asked for instead.
    void walkThrough_data()
    {
        // steps: "<button clicked> > <buttons shown after it>"
        addColumns<QString, bool, QString, QStringList, QStringList, int>(
            {"wizard", "photoInk", "id", "steps", "commands", "requests"});
        const QStringList cleaning{" > Clean, Cancel", "Clean > Clean Again, Done",
                                   "Clean Again > Clean, Cancel", "Clean > Clean Again, Done", "Done > "};
        addRow("cleaning, direct", "cleaning", false, QString(), cleaning, QStringList{Clean, Clean}, 0);
        addRow("cleaning, description", "cleaning", false, "CleanCartridgesXml", cleaning, QStringList(), 2);

        const QStringList aligning{" > Align, Cancel",
                                   "Align > Continue, Cancel",
                                   "Continue > Align, Done",
                                   "Align > Align, Cancel",
                                   "Align > Continue, Cancel",
                                   "Continue > Align, Done",
                                   "Done > "};
        // The start command goes once per run, the choices every round.
        const auto round = [](bool photoInk, const QStringList &patterns) {
            return patterns + Choices.mid(0, photoInk ? 7 : 5) + QStringList{Verification};
        };
        addRow("single-function, direct, no photo ink", "single-function", false, QString(), aligning,
               QStringList{Start} + round(false, {Patterns}) + round(false, {Patterns}), 0);
        addRow("single-function, direct, photo ink", "single-function", true, QString(), aligning,
               QStringList{Start} + round(true, {Patterns}) + round(true, {Patterns}), 0);
        addRow("single-function, description", "single-function", false, "AlignCartridgesSfpXml", aligning,
               QStringList{Start} + round(false, {}) + round(false, {}), 2);

        const QStringList multi{" > Print Page, Continue, Cancel",
                                "Print Page > Print Page, Continue, Cancel", "Continue > Done", "Done > "};
        addRow("multi-function, direct", "multi-function", false, QString(), multi,
               QStringList{AlignmentPage}, 0);
    }
    void walkThrough()
    {
        QFETCH(QString, wizard);
        QFETCH(bool, photoInk);
        QFETCH(QString, id);
        QFETCH(QStringList, steps);
        std::unique_ptr<MaintenanceWizard> shown = makeWizard(wizard, photoInk, m_path.constData(), id);
        QStringList requested;
        shown->setSettingApplier([&requested](const QString &applied, QString *) {
            requested << applied;
            return true;
        });
        shown->show();
        if (auto *align = qobject_cast<CartridgeAlignSFP *>(shown.get())) {
            QCOMPARE(align->sbF->isHidden(), !photoInk);
            QCOMPARE(align->sbG->isHidden(), !photoInk);
            const QList<QSpinBox *> boxes{align->sbA, align->sbB, align->sbC, align->sbD,
                                          align->sbE, align->sbF, align->sbG};
            for (int i = 0; i < boxes.size(); ++i)
                boxes[i]->setValue(ChosenPatterns[i]);
        }
        for (const QString &step : steps) {
            const QString button = step.section(QStringLiteral(" > "), 0, 0);
            if (!button.isEmpty())
                QVERIFY2(click(*shown, button), qPrintable(step));
            QCOMPARE(shownButtons(*shown).join(QStringLiteral(", ")), step.section(QStringLiteral(" > "), 1));
            QCOMPARE(statusOf(*shown), QString());
        }
        QCOMPARE(shown->result(), int(QDialog::Accepted));
        QTEST(receivedBeforeMarker(*m_pDevice), "commands");
        QTEST(int(requested.size()), "requests");
        QCOMPARE(requested, QStringList(requested.size(), id));
    }

    void testPageShowsNothing()
    {
        QCOMPARE(PrintTestPage(m_path.constData()), 0);
        QVERIFY(m_pDevice->waitForRecords(1));
        QCOMPARE(received(*m_pDevice), QStringList{TestPage});
        QCOMPARE(QApplication::topLevelWidgets().size(), 0);
    }

    // A command the device does not take leaves the wizard going, with the
    // reason on the page that sent it and in the trace. Nothing that depends
    // on it follows: after a failed start the pattern page is not asked for,
    // through the setting either.
    void commandNotTaken_data()
    {
        addColumns<QString>({"id"});
        addRow("direct", QString());
        addRow("description", QStringLiteral("AlignCartridgesSfpXml"));
    }
    void commandNotTaken()
    {
        QFETCH(QString, id);
        const QByteArray missing = m_path + "-gone";
        LogCapture log;
        CartridgeAlignSFP wizard(false, missing.constData(), id);
        QStringList requested;
        wizard.setSettingApplier([&requested](const QString &applied, QString *) {
            requested << applied;
            return true;
        });
        wizard.show();
        QVERIFY(click(wizard, "Align"));
        QCOMPARE(requested, QStringList());
        const QString expected = QStringLiteral("The device did not take the command: The device cannot be "
                                                "opened. (No such file or directory)");
        QCOMPARE(statusOf(wizard), expected);
        QVERIFY(click(wizard, "Continue"));
        QCOMPARE(statusOf(wizard), expected);
        QVERIFY(log.contains(QStringLiteral("can't open device ") + QString::fromLatin1(missing)));
        QVERIFY(click(wizard, "Done"));
        QCOMPARE(received(*m_pDevice), QStringList{});
    }

    void pictures_data()
    {
        addColumns<QString, QSize>({"label", "size"});
        addRow("cleaning offer", QStringLiteral("PixmapLabel1"), QSize(121, 171));
        addRow("cleaning", QStringLiteral("PixmapLabel2"), QSize(123, 143));
        addRow("alignment offer", QStringLiteral("PixmapLabel3"), QSize(121, 171));
        addRow("alignment page", QStringLiteral("PixmapLabel4"), QSize(98, 106));
        addRow("alignment pen", QStringLiteral("PixmapLabel5"), QSize(101, 94));
        addRow("verification", QStringLiteral("PixmapLabel6"), QSize(120, 168));
    }
    void pictures()
    {
        QFETCH(QString, label);
        QFETCH(QSize, size);
        CartridgeClean clean("", QString());
        CartridgeAlignSFP align(true, "", QString());
        auto *picture = clean.findChild<QLabel *>(label);
        if (!picture)
            picture = align.findChild<QLabel *>(label);
        QVERIFY(picture);
        QCOMPARE(picture->pixmap().size(), size);
    }

private:
    std::unique_ptr<SimulatedDevice> m_pDevice;
    QByteArray m_path;
};

QTEST_MAIN(TestWizards)
#include "tst_wizards.moc"
