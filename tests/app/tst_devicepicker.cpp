// The start without arguments, in this process as the menu entry runs it:
// the picker's application object, then the ordinary start on the pick.
// Each application object the start makes gets a timer that plays the
// person: it answers the picker and closes the settings window.
#include "app/devicepicker.h"
#include "app/startup.h"
#include "common/datatable.h"
#include "common/messageboxrecorder.h"
#include "common/simulateddevice.h"

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {
// What the person does in the picker: the row to pick, or -1 for Cancel.
int pickRow = 0;
QStringList offered; // the picker's rows, when it was shown
bool windowShown = false;

void playThePerson()
{
    auto *timer = new QTimer(QCoreApplication::instance());
    QObject::connect(timer, &QTimer::timeout, [] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *picker = qobject_cast<DevicePicker *>(modal)) {
            auto *list = picker->findChild<QListWidget *>(QStringLiteral("devices"));
            for (int i = 0; i < list->count(); ++i)
                offered.append(list->item(i)->text());
            list->setCurrentRow(pickRow);
            pickRow >= 0 ? picker->accept() : picker->reject();
        } else if (auto *dialog = qobject_cast<QDialog *>(modal)) {
            windowShown = true;
            dialog->reject();
        }
    });
    timer->start(50);
}
} // namespace

class TestDevicePicker : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { qAddPreRoutine(playThePerson); }

    void startWithoutArguments_data()
    {
        // links: simulated devices in the search folder; pick: row or -1 (Cancel);
        // opened: which device got the description requests (-1: none)
        addColumns<int, int, int, int, bool, bool>({"links", "pick", "status", "opened", "pickerShown", "message"});
        addRow("two devices: the second picked is opened", 2, 1, 0, 1, true, false);
        addRow("two devices: Cancel ends with 0", 2, -1, 0, -1, true, false);
        addRow("one device is opened at once", 1, 0, 0, 0, false, false);
        addRow("no device: a message, status 1", 0, 0, 1, -1, false, true);
    }
    void startWithoutArguments()
    {
        QFETCH(int, links);
        QTemporaryDir folder;
        SimulatedDevice devices[2];
        for (int i = 0; i < links; ++i) {
            QVERIFY2(devices[i].start(QStringLiteral(VELMORA_SAMPLES_DIR "/sample_mfp.xml")),
                     qPrintable(devices[i].errorText()));
            QVERIFY(QFile::link(devices[i].devicePath(), folder.filePath(QStringLiteral("lp%1").arg(i))));
        }
        // Only lp* entries are device nodes.
        QVERIFY(QFile::link(QStringLiteral("/dev/null"), folder.filePath(QStringLiteral("other"))));
        qputenv("VELMORA_DEVICE_DIR", QFile::encodeName(folder.path()));
        QFETCH(int, pick);
        pickRow = pick;
        offered.clear();
        windowShown = false;
        MessageBoxRecorder boxes;

        QByteArray program = QByteArrayLiteral(VELMORA_STAGE_DIR "/bin/velmora");
        char *argv[] = {program.data(), nullptr};
        QTEST(VelmoraMain(1, argv), "status");

        QFETCH(bool, pickerShown);
        QCOMPARE(offered.size(), pickerShown ? links : 0);
        for (int i = 0; i < offered.size(); ++i)
            QCOMPARE(offered.at(i), QStringLiteral("lp%1  (%2/lp%1)").arg(i).arg(folder.path()));
        QFETCH(int, opened);
        QCOMPARE(windowShown, opened >= 0);
        for (int i = 0; i < links; ++i)
            QCOMPARE(devices[i].records().isEmpty(), i != opened);
        QFETCH(bool, message);
        QCOMPARE(boxes.count(), message ? 1 : 0);
        if (message)
            QVERIFY2(boxes.last().informativeText.contains(QStringLiteral("velmoractl doctor")),
                     qPrintable(boxes.last().informativeText));
    }

    // The names a device gives itself end up in file names.
    void namesFromIdentity_data()
    {
        addColumns<QByteArray, QString>({"identity", "name"});
        addRow("maker and model", QByteArray("MFG:Acme;CMD:PCL;MDL:Jet 500;CLS:PRINTER;"), "Acme Jet 500");
        addRow("long keys, model naming the maker", QByteArray("MANUFACTURER:Acme;MODEL:Acme Jet 5;"),
               "Acme Jet 5");
        addRow("slashes and control characters", QByteArray("MFG:../Acme;MDL:Jet/5\x01X;"), "_Acme Jet_5_X");
        addRow("a leading dot", QByteArray("MDL:.hidden;"), "hidden");
        addRow("no maker or model", QByteArray("CMD:PCL;"), "");
    }
    void namesFromIdentity()
    {
        QFETCH(QByteArray, identity);
        QTEST(NameFromIdentity(identity), "name");
    }

    void identityFromSysfsAndNodesUsedBefore()
    {
        QTemporaryDir sys;
        QVERIFY(QDir(sys.path()).mkpath(QStringLiteral("devices/class/usbmisc/lp1/device")));
        QFile identity(sys.filePath(QStringLiteral("devices/class/usbmisc/lp1/device/ieee1284_id")));
        QVERIFY(identity.open(QIODevice::WriteOnly) && identity.write("MFG:Acme;MDL:Jet 5;") > 0);
        identity.close();
        QVERIFY(QDir(sys.path()).mkpath(QStringLiteral("usb")));
        for (const char *node : {"usb/lp0", "usb/lp1", "used"}) {
            QFile file(sys.filePath(QString::fromLatin1(node)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        DeviceSearch search;
        search.deviceDir = sys.filePath(QStringLiteral("usb"));
        search.sysfsRoot = sys.filePath(QStringLiteral("devices"));
        search.usedBefore = {sys.filePath(QStringLiteral("used")), sys.filePath(QStringLiteral("gone")),
                             sys.filePath(QStringLiteral("usb/lp0"))};
        QStringList found;
        for (const FoundDevice &device : FindDevices(search))
            found.append(device.name + QLatin1Char('=') + QDir(sys.path()).relativeFilePath(device.path));
        QCOMPARE(found, (QStringList{"lp0=usb/lp0", "Acme Jet 5=usb/lp1", "used=used"}));
    }
};

int main(int argc, char **argv)
{
    // The start makes its own application objects; the instance files go to
    // a private runtime folder.
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(QDir(runtime.path()).canonicalPath()));
    TestDevicePicker test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_devicepicker.moc"
