// The start without arguments, in this process as the menu entry runs it:
// the picker's application object, then the ordinary start on the pick.
// Each application object the start makes gets a timer that plays the
// person: it answers the picker and closes the settings window.
#include "app/devicepicker.h"
#include "app/startup.h"
#include "common/datatable.h"
#include "common/messageboxrecorder.h"
#include "common/simulateddevice.h"
#include "window/windowsize.h"

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>

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
            // By keyboard, from where the picker put the focus.
            QWidget *focused = QApplication::focusWidget();
            for (int i = 0; i < pickRow; ++i)
                QTest::keyClick(focused, Qt::Key_Down);
            QTest::keyClick(focused, pickRow >= 0 ? Qt::Key_Return : Qt::Key_Escape);
            return;
        }
        if (modal) {
            windowShown = true;
            if (auto *dialog = qobject_cast<QDialog *>(modal))
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
        addColumns<int, int, int, int, bool>({"links", "pick", "status", "opened", "pickerShown"});
        addRow("two devices: the second picked is opened", 2, 1, 0, 1, true);
        addRow("two devices: Cancel ends with 0", 2, -1, 0, -1, true);
        addRow("one device is opened at once", 1, 0, 0, 0, false);
        addRow("no device: a message, status 1", 0, 0, 1, -1, false);
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
        QCOMPARE(boxes.count(), links == 0 ? 1 : 0);
        QVERIFY(links > 0 || boxes.last().informativeText.contains(QStringLiteral("velmoractl doctor")));
    }

    // A node opened once is offered again while it exists, from any folder;
    // starting on it again leaves the settings file as it is.
    void usedBeforeIsOfferedAgain()
    {
        SimulatedDevice device;
        QVERIFY(device.start(QStringLiteral(VELMORA_SAMPLES_DIR "/sample_mfp.xml")));
        QTemporaryDir gone;
        RememberDevice(gone.filePath(QStringLiteral("lp7")));
        RememberDevice(device.devicePath());
        struct stat first = {};
        QCOMPARE(::stat(QFile::encodeName(WindowSize::settingsPath()).constData(), &first), 0);
        RememberDevice(device.devicePath());
        struct stat again = {};
        QCOMPARE(::stat(QFile::encodeName(WindowSize::settingsPath()).constData(), &again), 0);
        QCOMPARE(again.st_ino, first.st_ino);

        QTemporaryDir empty;
        qputenv("VELMORA_DEVICE_DIR", QFile::encodeName(empty.path()));
        const QList<FoundDevice> found = FindDevices(DeviceSearch::fromEnvironment());
        QCOMPARE(found.size(), 1);
        QCOMPARE(found.first().path, device.devicePath());
    }

    // A name from the device ends up in file names.
    void nameFromIdentityIsFitForFileNames()
    {
        QCOMPARE(NameFromIdentity("MFG:../Acme;CMD:PCL;MDL:Jet/5\x01X;"), QStringLiteral("_Acme Jet_5_X"));
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
