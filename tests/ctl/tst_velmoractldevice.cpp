#include "common/datatable.h"
#include "common/simulateddevice.h"
#include "ctlrun.h"
#include "device/ioclient.h"

#include <QDomDocument>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The change documents the device received, in order.
QStringList changesReceived(const SimulatedDevice &device)
{
    QStringList texts;
    for (const QJsonObject &record : device.records()) {
        if (record.value("request").toString() == QLatin1String("changes"))
            texts.append(record.value("text").toString());
    }
    return texts;
}

QString settingsOf(const QString &changeDocument)
{
    // Only the lines of the settings, without the header and the frame.
    QStringList lines;
    for (const QString &line : changeDocument.split('\n')) {
        if (line.startsWith(QLatin1String("  <")))
            lines.append(line.trimmed());
    }
    return lines.join(' ');
}

// The CURRENT values of a change document, by id.
QMap<QString, QString> valuesOf(const QString &changeDocument)
{
    QDomDocument document;
    document.setContent(changeDocument);
    QMap<QString, QString> values;
    const QDomElement settings = document.documentElement().firstChildElement("PrinterSettingsInfo");
    for (QDomElement e = settings.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
        values.insert(e.tagName(), e.attribute("CURRENT"));
    return values;
}

} // namespace

// velmoractl against the simulated device: what it reads, what it sends,
// and that a refused value sends nothing.
class TestVelmoraCtlDevice : public QObject
{
    Q_OBJECT

private slots:
    void listOfTheDevice()
    {
        SimulatedDevice device;
        QVERIFY2(device.start(sampleDescription()), qPrintable(device.errorText()));
        const CtlRun ctl({device.devicePath(), "list"});
        QCOMPARE(ctl.exitCode, 0);
        QCOMPARE(ctl.err, QString());
        const QStringList lines = ctl.out.split('\n', Qt::SkipEmptyParts);
        for (const char *line :
             {"PaperSource\tstList\tAuto\toptions=Auto,Tray1,Tray2,ManualFeed",
              "Copies\tstInteger\t1\trange=1..99 step=1", "RingsToAnswer\tstInteger\t3\trange=1..9 step=1",
              "HeaderNumber\tstDialEdit\t+49 30 5550 1234"})
            QVERIFY2(lines.contains(QString::fromUtf8(line)), line);
        QVERIFY(changesReceived(device).isEmpty());
    }

    void sends_data()
    {
        addColumns<QStringList, QStringList, int, QString, QString>(
            {"devsim", "command", "status", "err", "sent"});
        addRow("list option", QStringList{"--apply"}, QStringList{"set", "PaperSource=Tray1"}, 0, "",
               "<PaperSource CURRENT=\"Tray1\" />");
        addRow("dependents follow", QStringList{"--apply"},
               QStringList{"set", "PaperSize=EnvelopeDL", "Copies=3"}, 0, "",
               "<PaperSize CURRENT=\"EnvelopeDL\" /> <PaperSource CURRENT=\"Tray1\" /> <Copies CURRENT=\"3\" "
               "/>");
        // Why a value is refused is the session's to say (tst_ctlsession); here
        // it matters only that a refused value sends nothing.
        addRow("integer out of range", QStringList{}, QStringList{"set", "PaperSource=Tray1", "Copies=100"},
               2, "(1 to 99)", "");
        addRow("the device refuses", QStringList{"--status", "3"}, QStringList{"set", "Copies=2"}, 4,
               "Error: ", "<Copies CURRENT=\"2\" />");
        addRow("button press", QStringList{}, QStringList{"press", "RestoreFactory"}, 0, "",
               "<RestoreFactory CURRENT=\"PRESSED\" />");
    }

    void sends()
    {
        QFETCH(QStringList, devsim);
        QFETCH(QStringList, command);
        QFETCH(int, status);
        QFETCH(QString, err);
        QFETCH(QString, sent);

        SimulatedDevice device;
        QVERIFY2(device.start(sampleDescription(), devsim), qPrintable(device.errorText()));
        const CtlRun ctl(QStringList{device.devicePath()} + command);
        QCOMPARE(ctl.exitCode, status);
        if (err.isEmpty())
            QCOMPARE(ctl.err, QString());
        else
            QVERIFY2(ctl.err.contains(err), qPrintable(ctl.err));

        const QStringList received = changesReceived(device);
        if (sent.isEmpty()) {
            QCOMPARE(received, QStringList());
        } else {
            QCOMPARE(received.size(), 1);
            QCOMPARE(settingsOf(received.first()), sent);
        }
    }

    void exportThenImportRestores()
    {
        QTemporaryDir dir;
        const QString saved = dir.filePath("backup.xml");
        {
            SimulatedDevice device;
            QVERIFY2(device.start(sampleDescription()), qPrintable(device.errorText()));
            const CtlRun exported({device.devicePath(), "export", saved});
            QCOMPARE(exported.exitCode, 0);
            QVERIFY(changesReceived(device).isEmpty());
        }

        // The same device after someone changed two settings at its panel.
        QFile original(sampleDescription());
        QVERIFY(original.open(QIODevice::ReadOnly));
        QString changed = QString::fromUtf8(original.readAll());
        changed.replace("<Copies TYPE=\"INTEGER\" STRING=\"IDS_COPIES\" CURRENT=\"1\"",
                        "<Copies TYPE=\"INTEGER\" STRING=\"IDS_COPIES\" CURRENT=\"12\"");
        changed.replace("CURRENT=\"mfp-office-2\"", "CURRENT=\"somebody-else\"");
        QFile changedFile(dir.filePath("changed.xml"));
        QVERIFY(changedFile.open(QIODevice::WriteOnly));
        changedFile.write(changed.toUtf8());
        changedFile.close();

        SimulatedDevice device;
        QVERIFY2(device.start(changedFile.fileName(), {"--apply"}), qPrintable(device.errorText()));
        const CtlRun imported({device.devicePath(), "import", saved});
        QCOMPARE(imported.exitCode, 0);
        QCOMPARE(imported.err, QString());
        const QStringList received = changesReceived(device);
        QCOMPARE(received.size(), 1);
        QCOMPARE(settingsOf(received.first()),
                 QStringLiteral("<Copies CURRENT=\"1\" /> <HostName CURRENT=\"mfp-office-2\" />"));

        const CtlRun after({device.devicePath(), "get", "Copies", "HostName"});
        QCOMPARE(after.out, QStringLiteral("1\nmfp-office-2\n"));
    }

    // Line breaks, tabs and backslashes in a device's values and titles are
    // printed escaped, one line per setting or message; scripts read them
    // back through --json, and set takes them literally.
    void controlCharactersCannotForgeLines()
    {
        SimulatedDevice device;
        QVERIFY2(device.start(VELMORA_TEST_DATA "/control_characters.xml"), qPrintable(device.errorText()));
        const CtlRun list({device.devicePath(), "list"});
        QCOMPARE(list.exitCode, 0);
        QCOMPARE(list.out, QStringLiteral("Owner\tstEdit\tLab\\nCopies\\tstInteger\\t99\n"
                                          "Motto\tstEdit\tfirst\\r\\nsecond\n"
                                          "Status\tstText\tC:\\\\new\\\\table\\nend\\\\\n"
                                          "Copies\tstInteger\t1\trange=1..99 step=1\n"));
        const CtlRun get({device.devicePath(), "get", "Owner", "Motto", "Status"});
        QCOMPARE(get.out, QStringLiteral("Lab\\nCopies\\tstInteger\\t99\nfirst\\r\\nsecond\n"
                                         "C:\\\\new\\\\table\\nend\\\\\n"));
        const CtlRun refused({device.devicePath(), "set", "Motto=a\\b"});
        QCOMPARE(refused.exitCode, 2);
        QCOMPARE(refused.err.count('\n'), 1);
        QVERIFY2(refused.err.contains("'IDS_MOTTO\\nError: forged'"), qPrintable(refused.err));

        const CtlRun json({device.devicePath(), "get", "Owner", "Motto", "--json"});
        const QJsonObject read = QJsonDocument::fromJson(json.out.toUtf8()).object();
        const QString owner = read.value("Owner").toString();
        const QString motto = read.value("Motto").toString();
        QCOMPARE(owner, QStringLiteral("Lab\nCopies\tstInteger\t99"));
        const CtlRun swapped({device.devicePath(), "set", "Owner=" + motto, "Motto=" + owner});
        QCOMPARE(swapped.exitCode, 0);
        const QStringList received = changesReceived(device);
        QCOMPARE(received.size(), 1);
        QCOMPARE(valuesOf(received.first()), (QMap<QString, QString>{{"Owner", motto}, {"Motto", owner}}));
    }

    void noDevice()
    {
        QTemporaryDir dir;
        const CtlRun ctl({dir.filePath("no-device"), "list"});
        QCOMPARE(ctl.exitCode, 3);
        // The reason follows the window's message on the same line.
        QVERIFY2(ctl.err.startsWith("Error: Cannot get printer settings! "), qPrintable(ctl.err));
        QVERIFY2(ctl.err.contains("There is no device node"), qPrintable(ctl.err));
        QCOMPARE(ctl.out, QString());
    }

    // Another program holds the node: status 5 once the budget of 3000 ms is
    // used (the program's own start comes on top), and the device got nothing.
    void busyDevice()
    {
        SimulatedDevice device;
        QVERIFY2(device.start(sampleDescription()), qPrintable(device.errorText()));
        IOClient holder(device.devicePath());
        QVERIFY(holder.open(QIODevice::ReadWrite));
        QElapsedTimer clock;
        clock.start();
        const CtlRun ctl({device.devicePath(), "list"});
        QVERIFY2(clock.elapsed() < 3000 + 5000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(ctl.exitCode, 5);
        QVERIFY2(ctl.err.contains("Cannot get printer settings! The device is busy"), qPrintable(ctl.err));
        QVERIFY(device.records().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestVelmoraCtlDevice)
#include "tst_velmoractldevice.moc"
