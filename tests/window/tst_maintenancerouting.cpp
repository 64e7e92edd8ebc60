#include "common/datatable.h"
#include "common/messageboxrecorder.h"
#include "controller/configuratorfixture.h"
#include "maintenance/wizarddriving.h"
#include "model/element.h"
#include "window/settingsdialog.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>

namespace {
QString pressed(const QString &id)
{
    return QStringLiteral("changes ") + changeDocument(QStringLiteral("<%1 CURRENT=\"PRESSED\" />").arg(id));
}

QString set(const char *name, const char *prefix)
{
    return QStringLiteral("%1 %2%3").arg(QLatin1String(name), QLatin1String(prefix), QStringLiteral("01"));
}

QStringList fiveSets()
{
    return {set("set A", "550b00"), set("set B", "55120001"), set("set C", "55120000"),
            set("set D", "55120002"), set("set E", "55120102")};
}
} // namespace

// The sample device's maintenance buttons, pressed in the settings window
// of the real controller: every one reaches the device as the commands of
// its wizard, or as its own press when it names a setting of the description.
class TestMaintenanceRouting : public QObject
{
    Q_OBJECT
private slots:
    void buttonsOfTheSample_data()
    {
        // wizard: the object name of the wizard that opens, and the buttons clicked in it
        addColumns<QString, QString, QStringList, QStringList>({"setting", "wizard", "clicks", "expected"});
        addRow("test page, direct", "PrintTestPage", QString(), QStringList(), QStringList{TestPage});
        addRow("test page, description", "PrintTestPageXml", QString(), QStringList(),
               QStringList{pressed("PrintTestPageXml")});
        addRow("cleaning, direct", "CleanCartridges", "CartridgeClean_wizard", QStringList{"Clean", "Done"},
               QStringList{Clean});
        addRow("cleaning, description", "CleanCartridgesXml", "CartridgeClean_wizard",
               QStringList{"Clean", "Done"}, QStringList{pressed("CleanCartridgesXml")});
        addRow("single-function, direct, photo ink", "AlignCartridgesSfp", "CartridgeAlignSFP_wizard",
               QStringList{"Align", "Continue", "Done"},
               QStringList{Start, Patterns} + fiveSets() +
                   QStringList{set("set F", "55120203"), set("set G", "55120204"), Verification});
        addRow("single-function, description", "AlignCartridgesSfpXml", "CartridgeAlignSFP_wizard",
               QStringList{"Align", "Continue", "Done"},
               QStringList{Start, pressed("AlignCartridgesSfpXml")} + fiveSets() + QStringList{Verification});
        addRow("multi-function, direct", "AlignCartridgesMfp", "CartridgeAlignMFP_wizard",
               QStringList{"Print Page", "Continue", "Done"}, QStringList{AlignmentPage});
        addRow("multi-function, description", "AlignCartridgesMfpXml", QString(), QStringList(),
               QStringList{pressed("AlignCartridgesMfpXml")});
    }
    void buttonsOfTheSample()
    {
        QFETCH(QString, setting);
        QFETCH(QString, wizard);
        QFETCH(QStringList, clicks);
        QFETCH(QStringList, expected);
        RunTreeCopy tree;
        QVERIFY(tree.isValid());
        SimulatedDevice device;
        QVERIFY2(device.start(samplePath()), qPrintable(device.errorText()));
        MessageBoxRecorder boxes;
        auto controller = controllerIn(tree, device.devicePath());
        SettingsDialog dialog;
        dialog.initialize(controller.get(), QStringLiteral("Office"));
        dialog.show();

        QPushButton *button = selectButton(dialog, setting);
        QVERIFY(button);

        // The wizard runs modally: it is driven from inside its own event loop.
        QString shown;
        QStringList missed;
        if (!wizard.isEmpty()) {
            QTimer::singleShot(0, this, [&] {
                auto *modal = qobject_cast<QWizard *>(QApplication::activeModalWidget());
                if (!modal)
                    return;
                shown = modal->objectName();
                for (const QString &text : clicks) {
                    if (!click(*modal, text))
                        missed << text;
                }
                modal->close(); // ends the run should a click have been missed
            });
        }
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(shown, wizard);
        QCOMPARE(missed, QStringList());
        QCOMPARE(receivedBeforeMarker(device), expected);
        QCOMPARE(boxes.requests().size(), 0);
    }
};

QTEST_MAIN(TestMaintenanceRouting)
#include "tst_maintenancerouting.moc"
