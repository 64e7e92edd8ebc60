// The settings window on the real controller and the simulated device: what
// Apply and a pop-up form's OK send, and what the window keeps when the
// device does not take it.
#include "common/datatable.h"
#include "common/messageboxrecorder.h"
#include "common/programfaults.h"
#include "common/simulateddevice.h"
#include "common/treerows.h"
#include "controller/configuratorfixture.h"
#include "model/concreteelement.h"
#include "model/formelement.h"
#include "model/nodedesc.h"
#include "model/settingsparser.h"
#include "widgets/popupform.h"
#include "window/settingsdialog.h"
#include "window/settingsviewitem.h"

#include <QJsonObject>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

namespace {
// The window on the sample device; every box it shows is answered and kept.
struct DeviceWindow
{
    MessageBoxRecorder boxes;
    SimulatedDevice device;
    RunTreeCopy tree;
    std::unique_ptr<Configurator> controller;
    SettingsDialog dialog;

    // With a local description the device only gets what the window sends.
    bool start(const QStringList &options, bool local = false)
    {
        if (!device.start(samplePath(), options) ||
            (local && !(QDir().mkpath(tree.dataDir()) && QFile::copy(samplePath(), tree.dataDir() + "/vlm.xml"))))
            return false;
        controller = controllerIn(tree, device.devicePath(), "Office", {local});
        dialog.initialize(controller.get(), QStringLiteral("Office"));
        dialog.show();
        return controller->parser()->root() != nullptr;
    }
    SettingsViewItem *row(const QString &id) const { return TreeRow(dialog.paramList, id); }
    ConcreteElement *setting(const QString &id) const
    {
        return qobject_cast<ConcreteElement *>(controller->parser()->findElement(id));
    }
    // The change documents the device received, in order.
    QStringList received() const
    {
        QStringList texts;
        for (const QJsonObject &record : device.records())
            if (record.value("request").toString() == "changes")
                texts << record.value("text").toString();
        return texts;
    }
};

void type(ConcreteElement *setting, const QString &text)
{
    QWidget *control = setting->control();
    auto *edit = qobject_cast<QLineEdit *>(control);
    if (!edit && control)
        edit = control->findChild<QLineEdit *>();
    QVERIFY(edit);
    edit->selectAll();
    QTest::keyClicks(edit, text);
}
} // namespace

class TestSettingsDevice : public QObject
{
    Q_OBJECT
private slots:
    void init() { FailOnProgramFaults(); }

    // Reading the settings again frees the old tree: the rows, the index and
    // the shown control must be gone before (the sanitizer build sees any
    // touch of the freed settings).
    void initializingAgainShowsTheNewTree()
    {
        DeviceWindow window;
        QVERIFY(window.start({}, true));
        window.dialog.paramList->setCurrentItem(window.row("Copies")); // its control shown

        QVERIFY(window.dialog.initialize(window.controller.get(), QStringLiteral("Office")));
        QCOMPARE(window.row("Copies")->element(), window.setting("Copies"));
        QVERIFY(!window.setting("Copies")->control());
    }

    void applyArrivesOnTheDevice()
    {
        DeviceWindow window;
        QVERIFY2(window.start({"--apply"}), qPrintable(window.device.errorText()));
        window.setting("Copies")->setCurrent("3");
        QVERIFY(window.row("Copies")->isValueBold());
        QTest::mouseClick(window.dialog.applyBtn, Qt::LeftButton);
        QCOMPARE(window.received(), QStringList{changeDocument("<Copies CURRENT=\"3\" />")});
        QCOMPARE(window.boxes.count(), 0);
        QVERIFY(!window.dialog.applyBtn->isEnabled());
        QVERIFY(!window.row("Copies")->isValueBold());
        // The device has it: the next fetch shows it.
        QVERIFY(window.controller->loadSettings());
        QCOMPARE(window.setting("Copies")->current(), QStringLiteral("3"));
    }

    void notTakenStaysChanged_data()
    {
        addColumns<QStringList, QString>({"options", "reason"});
        addRow("refused", QStringList{"--status", "1"}, "The device refused the changes (status 1).");
        addRow("silent", QStringList{"--silent"}, "The device did not answer in time.");
    }
    void notTakenStaysChanged()
    {
        QFETCH(QStringList, options);
        DeviceWindow window;
        QVERIFY2(window.start(options, true), qPrintable(window.device.errorText()));
        window.setting("Copies")->setCurrent("3");
        QTest::mouseClick(window.dialog.applyBtn, Qt::LeftButton);
        QCOMPARE(window.boxes.count(), 1);
        QCOMPARE(window.boxes.last().icon, QMessageBox::Warning);
        QCOMPARE(window.boxes.last().caption, QStringLiteral("Error"));
        QFETCH(QString, reason);
        QVERIFY2(window.boxes.last().text.contains(reason), qPrintable(window.boxes.last().text));
        QVERIFY(window.row("Copies")->isValueBold());
        QVERIFY(window.dialog.applyBtn->isEnabled());
        QCOMPARE(window.setting("Copies")->initial(), QStringLiteral("1"));
    }

    void popupApplySendsOnlyItsForm()
    {
        DeviceWindow window;
        QVERIFY2(window.start({}), qPrintable(window.device.errorText()));
        window.setting("Copies")->setCurrent("3");
        auto *header = qobject_cast<FormElement *>(window.controller->parser()->findElement("FaxHeader"));
        QVERIFY(header);
        ConcreteElement *name = window.setting("HeaderName");
        QTimer::singleShot(0, this, [&] {
            type(name, QStringLiteral("Lab"));
            QTest::mouseClick(header->form()->btnOK, Qt::LeftButton);
            header->form()->reject();
        });
        header->showForm();
        QCOMPARE(window.received(), QStringList{changeDocument("<HeaderName CURRENT=\"Lab\" />")});
        QCOMPARE(name->initial(), QStringLiteral("Lab"));
        QCOMPARE(window.setting("Copies")->initial(), QStringLiteral("1"));
        QVERIFY(window.row("Copies")->isValueBold());
        QCOMPARE(window.boxes.count(), 0);
    }
};

QTEST_MAIN(TestSettingsDevice)
#include "tst_settingsdevice.moc"
