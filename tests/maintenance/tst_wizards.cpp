#include "base/imagecollections.h"
#include "common/datatable.h"
#include "common/logcapture.h"
#include "maintenance/cartridgealignmfp.h"
#include "maintenance/cartridgealignsfp.h"
#include "maintenance/cartridgeclean.h"
#include "maintenance/inkjetmaintenance.h"
#include "maintenance/wizarddriving.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <memory>

namespace {

QString descriptionPath()
{
    return QStringLiteral(VELMORA_SAMPLES_DIR "/sample_mfp.xml");
}

QString statusOf(QWizard &wizard)
{
    auto *status = wizard.currentPage()->findChild<QLabel *>("commandStatus");
    return status && status->isVisible() ? status->text() : QString();
}

QString setCommand(const char *name, const char *prefix, int value)
{
    return QStringLiteral("%1 %2%3").arg(QLatin1String(name), QLatin1String(prefix),
                                         QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')));
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
        QVERIFY2(m_pDevice->start(descriptionPath()), qPrintable(m_pDevice->errorText()));
        m_path = m_pDevice->devicePath().toLatin1();
    }
    void cleanup() { m_pDevice.reset(); }

    void cleaning_data()
    {
        addColumns<QString>({"id"});
        addRow("direct", QString());
        addRow("description", QStringLiteral("CleanCartridgesXml"));
    }
    void cleaning()
    {
        QFETCH(QString, id);
        CartridgeClean wizard(m_path.constData(), id);
        QSignalSpy requested(&wizard, &CartridgeClean::cleaningRequested);
        wizard.show();
        QCOMPARE(shownButtons(wizard), QStringList({"Clean", "Cancel"}));
        QVERIFY(click(wizard, "Clean"));
        QCOMPARE(shownButtons(wizard), QStringList({"Clean Again", "Done"}));
        QVERIFY(click(wizard, "Clean Again"));
        QCOMPARE(wizard.currentId(), 0);
        QVERIFY(click(wizard, "Clean"));
        QCOMPARE(statusOf(wizard), QString());

        const QStringList expected = id.isEmpty() ? QStringList{Clean, Clean} : QStringList{};
        QCOMPARE(receivedBeforeMarker(*m_pDevice), expected);
        QCOMPARE(requested.size(), id.isEmpty() ? 0 : 2);
        for (const auto &arguments : requested)
            QCOMPARE(arguments.at(0).toString(), id);
        QVERIFY(click(wizard, "Done"));
        QCOMPARE(wizard.result(), int(QDialog::Accepted));
    }

    void singleFunctionAlignment_data()
    {
        addColumns<bool, QString>({"photoInk", "id"});
        addRow("direct, no photo ink", false, QString());
        addRow("direct, photo ink", true, QString());
        addRow("description, no photo ink", false, QStringLiteral("AlignCartridgesSfpXml"));
    }
    void singleFunctionAlignment()
    {
        QFETCH(bool, photoInk);
        QFETCH(QString, id);
        CartridgeAlignSFP wizard(photoInk, m_path.constData(), id);
        QSignalSpy requested(&wizard, &CartridgeAlignSFP::alignmentRequested);
        wizard.show();
        QCOMPARE(wizard.sbF->isHidden(), !photoInk);
        QCOMPARE(wizard.sbG->isHidden(), !photoInk);
        QCOMPARE(shownButtons(wizard), QStringList({"Align", "Cancel"}));
        QVERIFY(click(wizard, "Align"));
        QCOMPARE(shownButtons(wizard), QStringList({"Continue", "Cancel"}));
        const QList<QSpinBox *> boxes{wizard.sbA, wizard.sbB, wizard.sbC, wizard.sbD,
                                      wizard.sbE, wizard.sbF, wizard.sbG};
        const QList<int> values{13, 2, 17, 11, 1, 21, 7};
        for (int i = 0; i < boxes.size(); ++i)
            boxes[i]->setValue(values[i]);
        QVERIFY(click(wizard, "Continue"));
        QCOMPARE(shownButtons(wizard), QStringList({"Align", "Done"}));
        QVERIFY(click(wizard, "Align"));
        QCOMPARE(wizard.currentId(), 0);
        QVERIFY(click(wizard, "Align"));
        QCOMPARE(wizard.currentId(), 1);

        QStringList expected{Start};
        if (id.isEmpty())
            expected << Patterns;
        expected << setCommand("set A", "550b00", 13) << setCommand("set B", "55120001", 2)
                 << setCommand("set C", "55120000", 17) << setCommand("set D", "55120002", 11)
                 << setCommand("set E", "55120102", 1);
        if (photoInk)
            expected << setCommand("set F", "55120203", 21) << setCommand("set G", "55120204", 7);
        expected << Verification;
        if (id.isEmpty())
            expected << Patterns;
        QCOMPARE(receivedBeforeMarker(*m_pDevice), expected);
        QCOMPARE(requested.size(), id.isEmpty() ? 0 : 2);
    }

    void multiFunctionAlignment_data()
    {
        addColumns<QString>({"id"});
        addRow("direct", QString());
        addRow("description", QStringLiteral("AlignCartridgesMfpXml"));
    }
    void multiFunctionAlignment()
    {
        QFETCH(QString, id);
        CartridgeAlignMFP wizard(m_path.constData(), id);
        QSignalSpy requested(&wizard, &CartridgeAlignMFP::alignmentRequested);
        wizard.show();
        QCOMPARE(shownButtons(wizard), QStringList({"Print Page", "Continue", "Cancel"}));
        QVERIFY(click(wizard, "Print Page"));
        QVERIFY(click(wizard, "Continue"));
        QCOMPARE(shownButtons(wizard), QStringList({"Done"}));
        QCOMPARE(receivedBeforeMarker(*m_pDevice), id.isEmpty() ? QStringList{AlignmentPage} : QStringList{});
        QCOMPARE(requested.size(), id.isEmpty() ? 0 : 1);
    }

    void testPageShowsNothing()
    {
        QCOMPARE(PrintTestPage(m_path.constData()), 0);
        QVERIFY(m_pDevice->waitForRecords(1));
        QCOMPARE(received(*m_pDevice), QStringList{TestPage});
        QCOMPARE(QApplication::topLevelWidgets().size(), 0);
    }

    void runnerRunsItsWizardModally()
    {
        QString shown;
        QTimer::singleShot(0, this, [&] {
            auto *wizard = qobject_cast<QWizard *>(QApplication::activeModalWidget());
            if (!wizard)
                return;
            shown = wizard->objectName();
            click(*wizard, "Clean");
            click(*wizard, "Done");
        });
        QCOMPARE(RunCartridgeClean(m_path.constData(), nullptr), int(QDialog::Accepted));
        QCOMPARE(shown, QStringLiteral("CartridgeClean_wizard"));
        QCOMPARE(receivedBeforeMarker(*m_pDevice), QStringList{Clean});
    }

    // A command the device does not take leaves the wizard going, with the
    // reason on the page that sent it and in the trace.
    void commandNotTaken()
    {
        const QByteArray missing = m_path + "-gone";
        LogCapture log;
        CartridgeAlignSFP wizard(false, missing.constData(), QString());
        wizard.show();
        QVERIFY(click(wizard, "Align"));
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
