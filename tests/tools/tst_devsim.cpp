// The simulated device with the paths it is given: it publishes its node
// only where nothing of anybody else's stands, and removes only its own link.
#include "common/datatable.h"
#include "common/simulateddevice.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace {

enum class AtLink { Nothing, RegularFile, Directory, LinkToFile, StaleTerminalLink, RecordIsLink };

QString sample()
{
    return QStringLiteral(VELMORA_SAMPLES_DIR "/sample_mfp.xml");
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

Q_DECLARE_METATYPE(AtLink)

class TestDevsim : public QObject
{
    Q_OBJECT

private slots:
    void takesOnlyWhatIsItsOwn_data()
    {
        addColumns<AtLink, bool, QString>({"atLink", "starts", "message"});
        addRow("a regular file is left alone", AtLink::RegularFile, false, "not a device link");
        addRow("a directory is left alone", AtLink::Directory, false, "not a device link");
        addRow("a link to a file is left alone", AtLink::LinkToFile, false, "not a device link");
        addRow("a link left behind by a simulator is taken over", AtLink::StaleTerminalLink, true, "");
        addRow("a record path that is a link is refused", AtLink::RecordIsLink, false, "symbolic link");
    }
    void takesOnlyWhatIsItsOwn()
    {
        QFETCH(AtLink, atLink);
        QFETCH(bool, starts);
        QFETCH(QString, message);

        SimulatedDevice device;
        const QString link = device.devicePath();
        const QString aside = link + QStringLiteral(".aside");
        const QByteArray kept("somebody's data\n");
        QVERIFY(writeFile(aside, kept));
        QStringList options;
        switch (atLink) {
        case AtLink::RegularFile:
            QVERIFY(writeFile(link, kept));
            break;
        case AtLink::Directory:
            QVERIFY(QDir().mkdir(link));
            break;
        case AtLink::LinkToFile:
            QVERIFY(QFile::link(aside, link));
            break;
        case AtLink::StaleTerminalLink:
            QVERIFY(QFile::link(QStringLiteral("/dev/pts/999999"), link));
            break;
        case AtLink::RecordIsLink:
            QVERIFY(QFile::link(aside, link + QStringLiteral(".record")));
            options << QStringLiteral("--record") << link + QStringLiteral(".record");
            break;
        case AtLink::Nothing:
            break;
        }

        QCOMPARE(device.start(sample(), options), starts);
        const QString errors = device.errorText();
        if (!starts) {
            QVERIFY2(errors.contains(message), qPrintable(errors));
            QVERIFY(!device.isRunning());
        }
        // Whatever stood there stands there still, and the file behind a link is untouched.
        QCOMPARE(fileBytes(aside), kept);
        if (atLink == AtLink::RegularFile)
            QCOMPARE(fileBytes(link), kept);
        if (atLink == AtLink::Directory)
            QVERIFY(QFileInfo(link).isDir());
        if (atLink == AtLink::LinkToFile)
            QCOMPARE(QFileInfo(link).symLinkTarget(), aside);
        if (starts)
            QVERIFY2(device.stop(), qPrintable(device.errorText()));
    }

    // Somebody put a file where the link was while the device ran: it stays.
    void removesOnlyItsOwnLink()
    {
        SimulatedDevice device;
        QVERIFY2(device.start(sample()), qPrintable(device.errorText()));
        const QString replacement = device.devicePath() + QStringLiteral(".new-file");
        QVERIFY(writeFile(replacement, "mine\n"));
        QVERIFY(QFile::remove(device.devicePath()));
        QVERIFY(QFile::rename(replacement, device.devicePath()));
        QVERIFY2(device.stop(), qPrintable(device.errorText()));
        QCOMPARE(fileBytes(device.devicePath()), QByteArray("mine\n"));
    }
};

QTEST_GUILESS_MAIN(TestDevsim)
#include "tst_devsim.moc"
