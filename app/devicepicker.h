#pragma once

#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class QListWidget;

// A device the program could be started on: its node and the name the
// window and the save files use.
struct FoundDevice
{
    QString path;
    QString name;
};

// Where a start without arguments looks for devices.
struct DeviceSearch
{
    QString deviceDir = QStringLiteral("/dev/usb"); // its lp* entries
    QString sysfsRoot = QStringLiteral("/sys");    // identities under class/usbmisc/lpN/device
    QStringList usedBefore;                         // nodes kept in velmora.conf

    // The search of a real start: /dev/usb, or the folder VELMORA_DEVICE_DIR
    // names, and the nodes of velmora.conf.
    [[nodiscard]] static DeviceSearch fromEnvironment();
};

// The lp* nodes of the device folder, then the nodes used before that still
// exist, each once. Each is named from its IEEE 1284 identity (maker and
// model), else after its node.
[[nodiscard]] QList<FoundDevice> FindDevices(const DeviceSearch &search);

// Maker and model from an IEEE 1284 identity ("MFG:Acme;MDL:Jet 5;..."),
// made fit for a file name; empty when the identity names neither.
[[nodiscard]] QString NameFromIdentity(const QByteArray &identity);

// Notes the node in velmora.conf, so that a later start without arguments
// offers it again.
void RememberDevice(const QString &devPath);

// The small dialog that lets the person choose among several devices.
class DevicePicker : public QDialog
{
    Q_OBJECT
public:
    explicit DevicePicker(const QList<FoundDevice> &devices, QWidget *parent = nullptr);
    [[nodiscard]] int chosen() const;

private:
    QListWidget *m_pList = nullptr;
};

// The start without arguments: no device gives a message saying what to
// check, one is taken at once, several are offered in the picker. Needs the
// application object. Empty when nothing was picked; status is then the
// exit status (0 after Cancel, 1 when no device was found).
[[nodiscard]] std::optional<FoundDevice> PickDevice(const DeviceSearch &search, int *status);

// The whole start without arguments (the menu entry's): the application
// object for the picker, then start (the ordinary start) on the picked
// device's path and name. Returns the exit status.
[[nodiscard]] int StartWithoutArguments(char *argv0, int (*start)(int argc, char **argv));
