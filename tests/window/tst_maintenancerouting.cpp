#include "common/datatable.h"
#include "common/messageboxrecorder.h"
#include "controller/configuratorfixture.h"
#include "maintenance/wizarddriving.h"
#include "model/element.h"
#include "window/settingsdialog.h"

#include <QApplication>
#include <QLabel>
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

// What a press of the setting's button showed: the object name of the wizard
// that opened and the window it opened over, the clicks it missed and the status line of the page its
// clicks ended on. The wizard runs modally: it is driven from inside its own
// event loop.
struct Press
{
    QString wizard;
    QWidget *parent = nullptr;
    QStringList missed;
    QString status;
};

// The settings window of the real controller on a simulated sample device,
// every box it shows recorded.
struct WindowOnDevice
{
    RunTreeCopy tree;
    SimulatedDevice device;
    MessageBoxRecorder boxes;
    std::unique_ptr<Configurator> controller;
    SettingsDialog dialog;

    [[nodiscard]] bool start(const QStringList &deviceOptions)
    {
        if (!tree.isValid() || !device.start(samplePath(), deviceOptions)) {
            qWarning("%s", qPrintable(device.errorText()));
            return false;
        }
        controller = controllerIn(tree, device.devicePath());
        dialog.initialize(controller.get(), QStringLiteral("Office"));
        dialog.show();
        return true;
    }
};

Press press(QObject *context, QPushButton *button, const QStringList &clicks)
{
    Press seen;
    // Gone with this call: a press that opens no wizard leaves nothing to fire later.
    QTimer driver;
    driver.setSingleShot(true);
    QObject::connect(&driver, &QTimer::timeout, context, [&] {
        auto *modal = qobject_cast<QWizard *>(QApplication::activeModalWidget());
        if (!modal)
            return;
        seen.wizard = modal->objectName();
        seen.parent = modal->parentWidget();
        for (const QString &text : clicks) {
            if (!click(*modal, text))
                seen.missed << text;
        }
        auto *status = modal->currentPage()->findChild<QLabel *>("commandStatus");
        if (status && status->isVisible())
            seen.status = status->text();
        modal->close(); // ends the run should a click have been missed
    });
    driver.start(0);
    QTest::mouseClick(button, Qt::LeftButton);
    return seen;
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
        WindowOnDevice window;
        QVERIFY(window.start({}));
        QPushButton *button = selectButton(window.dialog, setting);
        QVERIFY(button);

        const Press seen = press(this, button, clicks);
        QCOMPARE(seen.wizard, wizard);
        QCOMPARE(seen.parent, wizard.isEmpty() ? nullptr : static_cast<QWidget *>(&window.dialog));
        QCOMPARE(seen.missed, QStringList());
        QCOMPARE(receivedBeforeMarker(window.device), expected);
        QCOMPARE(window.boxes.requests().size(), 0);
    }

    // A device that refuses the setting's press: a wizard says so on its
    // page, where the user looks, and goes no further; a box of the window's
    // would stand behind the modal wizard. Without a wizard the window's
    // box says it.
    void refusedPress_data()
    {
        addColumns<QString, QStringList, QStringList, QString, int>(
            {"setting", "clicks", "expected", "status", "boxes"});
        const QString refused =
            QStringLiteral("The device did not take the command: The device refused the changes (status 3).");
        addRow("cleaning", "CleanCartridgesXml", QStringList{"Clean"},
               QStringList{pressed("CleanCartridgesXml")}, refused, 0);
        addRow("single-function", "AlignCartridgesSfpXml", QStringList{"Align"},
               QStringList{Start, pressed("AlignCartridgesSfpXml")}, refused, 0);
        addRow("test page", "PrintTestPageXml", QStringList(), QStringList{pressed("PrintTestPageXml")},
               QString(), 1);
    }
    void refusedPress()
    {
        QFETCH(QString, setting);
        QFETCH(QStringList, clicks);
        WindowOnDevice window;
        QVERIFY(window.start({"--status", "3"}));
        QPushButton *button = selectButton(window.dialog, setting);
        QVERIFY(button);

        const Press seen = press(this, button, clicks);
        QCOMPARE(seen.missed, QStringList());
        QTEST(seen.status, "status");
        QTEST(receivedBeforeMarker(window.device), "expected");
        QTEST(int(window.boxes.requests().size()), "boxes");
    }
};

QTEST_MAIN(TestMaintenanceRouting)
#include "tst_maintenancerouting.moc"
