#include "app/devicepicker.h"

#include "base/debuglog.h"
#include "base/programpaths.h"
#include "base/systemlocale.h"
#include "base/usermessage.h"
#include "i18n/localization.h"
#include "window/windowsize.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

namespace {
const QString UsedKey = QStringLiteral("devices/used");
constexpr int UsedKept = 8;
constexpr qint64 IdentityMax = 1024;

QByteArray readIdentity(const QString &sysfsRoot, const QString &node)
{
    QFile file(QStringLiteral("%1/class/usbmisc/%2/device/ieee1284_id").arg(sysfsRoot, node));
    return file.open(QIODevice::ReadOnly) ? file.read(IdentityMax) : QByteArray();
}
} // namespace

DeviceSearch DeviceSearch::fromEnvironment()
{
    DeviceSearch search;
    // Not the program's way of taking settings, which come from the command
    // line: a folder of simulated devices must be reachable for the tests of
    // a start without arguments, where there is no command line to give it.
    const QString dir = qEnvironmentVariable("VELMORA_DEVICE_DIR");
    if (!dir.isEmpty())
        search.deviceDir = dir;
    search.usedBefore =
        QSettings(WindowSize::settingsPath(), QSettings::IniFormat).value(UsedKey).toStringList();
    return search;
}

QString NameFromIdentity(const QByteArray &identity)
{
    QString maker;
    QString model;
    const QList<QByteArray> fields = identity.split(';');
    for (const QByteArray &field : fields) {
        const int colon = field.indexOf(':');
        if (colon < 0)
            continue;
        const QByteArray key = field.left(colon).trimmed().toUpper();
        const QString value = QString::fromUtf8(field.mid(colon + 1)).trimmed();
        if (key == "MFG" || key == "MANUFACTURER")
            maker = value;
        else if (key == "MDL" || key == "MODEL")
            model = value;
    }
    QString name = model.startsWith(maker) ? model : (maker + QLatin1Char(' ') + model).trimmed();
    // The name comes from the device and ends up in file names
    // (vlm(<name>).xml): no folder separators, no control characters, and
    // no leading dot that would hide the file.
    for (QChar &c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.category() == QChar::Other_Control)
            c = QLatin1Char('_');
    }
    while (name.startsWith(QLatin1Char('.')))
        name.remove(0, 1);
    return name.simplified().left(64);
}

QList<FoundDevice> FindDevices(const DeviceSearch &search)
{
    QStringList paths;
    const QStringList nodes =
        QDir(search.deviceDir)
            .entryList({QStringLiteral("lp*")}, QDir::AllEntries | QDir::System, QDir::Name);
    for (const QString &node : nodes)
        paths.append(search.deviceDir + QLatin1Char('/') + node);
    for (const QString &path : search.usedBefore) {
        if (!paths.contains(path) && QFileInfo::exists(path))
            paths.append(path);
    }
    QList<FoundDevice> found;
    for (const QString &path : paths) {
        const QString node = QFileInfo(path).fileName();
        QString name = NameFromIdentity(readIdentity(search.sysfsRoot, node));
        if (name.isEmpty())
            name = node;
        found.append({path, name});
    }
    return found;
}

void RememberDevice(const QString &devPath)
{
    QSettings settings(WindowSize::settingsPath(), QSettings::IniFormat);
    const QStringList before = settings.value(UsedKey).toStringList();
    QStringList used = before;
    used.removeIf([&devPath](const QString &path) { return path == devPath || !QFileInfo::exists(path); });
    used.prepend(devPath);
    used = used.mid(0, UsedKept);
    // Every start passes here: the file is written (under a lock, synced to
    // disk) only when the list changes.
    if (used != before)
        settings.setValue(UsedKey, used);
}

DevicePicker::DevicePicker(const QList<FoundDevice> &devices, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(tr("Velmora"));
    auto *layout = new QVBoxLayout(this);
    auto *label = new QLabel(tr("Choose the device to set up:"), this);
    layout->addWidget(label);
    m_pList = new QListWidget(this);
    m_pList->setObjectName(QStringLiteral("devices"));
    // A screen reader names the list after its caption. The list is the
    // first to take the focus, so the arrow keys and Enter pick a device.
    m_pList->setAccessibleName(label->text());
    label->setBuddy(m_pList);
    for (const FoundDevice &device : devices)
        m_pList->addItem(QStringLiteral("%1  (%2)").arg(device.name, device.path));
    m_pList->setCurrentRow(0);
    layout->addWidget(m_pList);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Open | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_pList, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
}

int DevicePicker::chosen() const
{
    return m_pList->currentRow();
}

std::optional<FoundDevice> PickDevice(const DeviceSearch &search, int *status)
{
    const QList<FoundDevice> devices = FindDevices(search);
    DebugLog("Devices found in %s: %d", qPrintable(search.deviceDir), int(devices.size()));
    if (devices.isEmpty()) {
        UserMessage::warning(
            nullptr, DevicePicker::tr("Velmora"), DevicePicker::tr("No printer was found."),
            DevicePicker::tr(
                "Check that the device is connected by USB and switched on, and that its node appears "
                "under %1 (lp0, lp1, ...). 'velmoractl doctor /dev/usb/lp0' says what stands in the way "
                "of a node.")
                .arg(search.deviceDir));
        *status = 1;
        return std::nullopt;
    }
    if (devices.size() == 1)
        return devices.first();
    DevicePicker picker(devices);
    if (picker.exec() != QDialog::Accepted || picker.chosen() < 0) {
        *status = 0;
        return std::nullopt;
    }
    return devices.at(picker.chosen());
}

int StartWithoutArguments(char *argv0, int (*start)(int argc, char **argv))
{
    int status = 0;
    std::optional<FoundDevice> picked;
    {
        int argc = 1;
        char *argv[] = {argv0, nullptr};
        QApplication app(argc, argv);
        InstallProgramTranslations(GetApplicationDir(argv0), GetSystemLocale());
        picked = PickDevice(DeviceSearch::fromEnvironment(), &status);
    }
    if (!picked)
        return status;
    // From here on it is an ordinary start on the picked device: the
    // single-instance check comes now, once the device is known.
    QByteArray path = QFile::encodeName(picked->path);
    QByteArray name = picked->name.toLocal8Bit();
    char *argv[] = {argv0, path.data(), name.data(), nullptr};
    return start(3, argv);
}
