#include "common/datatable.h"
#include "ctlrun.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

namespace {

QStringList local(const QStringList &command)
{
    return QStringList{"/nonexistent/device"} + command + QStringList{"--local", sampleDescription()};
}

} // namespace

// velmoractl as a program: its command line, its output and its exit statuses.
class TestVelmoraCtl : public QObject
{
    Q_OBJECT

private slots:
    void commandLine_data()
    {
        addColumns<QStringList, int, QString, QString>({"arguments", "status", "out", "err"});
        addRow("no arguments", QStringList{}, 1, "", "Try 'velmoractl --help'.");
        addRow("help", QStringList{"--help"}, 0, "Usage: velmoractl <devPath> COMMAND", "");
        addRow("version", QStringList{"--version"}, 0, "velmoractl (Velmora) " VELMORA_VERSION, "");
        addRow("unknown command", QStringList{"/dev/x", "frob"}, 1, "", "velmoractl: unknown command 'frob'");
        addRow("missing description file", QStringList{"/dev/x", "list", "--local", "/nonexistent/vlm.xml"},
               3, "", "Cannot get printer settings! Cannot open file: '/nonexistent/vlm.xml'");
        addRow("description file without settings",
               QStringList{"/dev/x", "list", "--local", VELMORA_DESCRIPTIONS "/not_well_formed.xml"}, 3, "",
               "Cannot get printer settings! '" VELMORA_DESCRIPTIONS
               "/not_well_formed.xml' holds no settings description");
        addRow("unknown setting", local({"get", "Copies", "Nope"}), 1, "", "There is no setting 'Nope'");
        addRow("get", local({"get", "Copies", "PaperSize", "HostName"}), 0, "1\nA4\nmfp-office-2\n", "");
        addRow("no button", local({"press", "Copies", "--dry-run"}), 1, "",
               "'Copies' is not a device button");
        addRow("button press", local({"press", "RestoreFactory", "--dry-run"}), 0,
               "<RestoreFactory CURRENT=\"PRESSED\" />", "");
        // Values are entered in order, through the rules, before anything would be sent.
        const auto set = [](const QStringList &values) {
            return local(QStringList{"set"} + values + QStringList{"--dry-run"});
        };
        addRow("set list option", set({"PaperSource=Tray1"}), 0, "<PaperSource CURRENT=\"Tray1\" />", "");
        addRow("set values in order through the rules",
               set({"PaperSize=EnvelopeDL", "PaperSource=ManualFeed"}), 0,
               "<PaperSize CURRENT=\"EnvelopeDL\" />\n  <PaperSource CURRENT=\"ManualFeed\" />", "");
        addRow("set integer out of range", set({"PaperSource=Tray1", "Copies=0"}), 2, "",
               "Error: '0' is not a valid entry for");
        addRow("set edit box breaking its pattern", set({"HostName=a b?"}), 2, "",
               "Error: 'a b?' has characters that");
        addRow("set what a rule disables", set({"MediaType=Transparency", "Duplex=On"}), 2, "",
               "is disabled and takes no value");
        addRow("set what is invalid when sent", set({"AllowedMask=255.0.255.0"}), 2, "",
               "'255.0.255.0' is not a valid entry");
        addRow("set not of the form", set({"Copies"}), 1, "", "'Copies' is not of the form ID=VALUE");
        addRow("set nothing that changes", set({"Copies=1"}), 0, "", "");
    }

    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);

        const CtlRun ctl(arguments);
        QCOMPARE(ctl.exitCode, status);
        if (out.isEmpty())
            QCOMPARE(ctl.out, QString());
        else
            QVERIFY2(ctl.out.contains(out), qPrintable(ctl.out));
        if (err.isEmpty())
            QCOMPARE(ctl.err, QString());
        else
            QVERIFY2(ctl.err.contains(err), qPrintable(ctl.err));
    }

    void listWithoutDisplay()
    {
        const CtlRun ctl(local({"list"}));
        QCOMPARE(ctl.exitCode, 0);
        QCOMPARE(ctl.err, QString());
        const QStringList lines = ctl.out.split('\n', Qt::SkipEmptyParts);
        // Without the program's About record the About setting has no control.
        QCOMPARE(lines.first(), QStringLiteral("AboutElement\tstAbout\t\tdisabled\thidden"));
        for (const char *line :
             {"PaperSize\tstPaperSize\tA4\toptions=A4,Letter,Legal,A5,Executive,EnvelopeDL",
              "Duplex\tstCheckbox\tOff\toptions=Off,On",
              "TopMargin\tstFloat\t5.0\trange=0..20 step=0.5 digits=1",
              "IPAddress\tstIPAddress\t192.168.10.42", "HeaderName\tstEdit\tOffice 2"})
            QVERIFY2(lines.contains(QString::fromUtf8(line)), line);
    }

    void jsonParses()
    {
        const CtlRun text(local({"list"}));
        const CtlRun json(local({"list", "--json"}));
        QCOMPARE(json.exitCode, 0);
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(json.out.toUtf8(), &error);
        QCOMPARE(error.error, QJsonParseError::NoError);
        const QJsonArray settings = document.array();
        QCOMPARE(settings.size(), text.out.count('\n'));
        for (const QJsonValue &value : settings) {
            const QJsonObject setting = value.toObject();
            if (setting.value("id") == "LinesPerPage") {
                QCOMPARE(setting.value("value").toString(), QStringLiteral("60"));
                QCOMPARE(setting.value("max").toString(), QStringLiteral("66"));
                QCOMPARE(setting.value("enabled").toBool(), true);
            }
        }

        const CtlRun get(local({"get", "Copies", "Duplex", "--json"}));
        QCOMPARE(QJsonDocument::fromJson(get.out.toUtf8()).object(),
                 QJsonObject({{"Copies", "1"}, {"Duplex", "Off"}}));
    }

    // Quiet unless asked (the rows above see nothing on standard error).
    void traceWhenAsked()
    {
        const CtlRun traced(local({"get", "Copies", "--trace"}));
        QCOMPARE(traced.out, QStringLiteral("1\n"));
        QVERIFY2(traced.err.contains("NumericElement::createControl"), qPrintable(traced.err.left(2000)));
    }

    // import --check --json on the sample: what would change (over the file's
    // ids only) and every value refused, each with its reason.
    void importDesiredSettings_data()
    {
        addColumns<QByteArray, int, bool, QJsonObject, QJsonObject, QStringList>(
            {"file", "status", "changed", "before", "after", "refused"});
        addRow(
            "numbers compared as their controls write them",
            QByteArray(R"({"TopMargin": "5", "Copies": "01", "ColorBalance": "+1", "PaperSource": "Tray1"})"),
            0, true, QJsonObject{{"PaperSource", "Auto"}}, QJsonObject{{"PaperSource", "Tray1"}},
            QStringList{});
        addRow("nothing differs", QByteArray("\n  {\"Copies\": \"1\", \"Duplex\": \"Off\"}"), 0, false,
               QJsonObject{}, QJsonObject{}, QStringList{});
        // In the file's order ManualFeed would go in first and the envelope
        // would then move the source to Tray1.
        addRow("the description's order, not the file's",
               QByteArray("<root><PrinterSettingsInfo><PaperSource CURRENT=\"ManualFeed\"/>"
                          "<PaperSize CURRENT=\"EnvelopeDL\"/></PrinterSettingsInfo></root>"),
               0, true, QJsonObject{{"PaperSize", "A4"}, {"PaperSource", "Auto"}},
               QJsonObject{{"PaperSize", "EnvelopeDL"}, {"PaperSource", "ManualFeed"}}, QStringList{});
        addRow("a disabled setting that holds its value already",
               QByteArray(R"({"MediaType": "Transparency", "Duplex": "Off"})"), 0, true,
               QJsonObject{{"MediaType", "Plain"}}, QJsonObject{{"MediaType", "Transparency"}},
               QStringList{});
        addRow("every refusal",
               QByteArray(R"({"PrintQuality": 2, "Stapler": "On", "SerialNumber": "X", "Copies": "0",
                              "MediaType": "Transparency", "Duplex": "On", "HostName": "a b?"})"),
               2, false, QJsonObject{{"MediaType", "Plain"}}, QJsonObject{{"MediaType", "Transparency"}},
               QStringList{"PrintQuality", "SerialNumber", "Stapler", "Duplex", "Copies", "HostName"});
    }

    void importDesiredSettings()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, status);
        QFETCH(bool, changed);
        QFETCH(QJsonObject, before);
        QFETCH(QJsonObject, after);
        QFETCH(QStringList, refused);

        QTemporaryDir dir;
        QFile settings(dir.filePath("settings"));
        QVERIFY(settings.open(QIODevice::WriteOnly));
        settings.write(file);
        settings.close();
        const CtlRun ctl(local({"import", settings.fileName(), "--check", "--json"}));
        QCOMPARE(ctl.exitCode, status);
        const QJsonObject report = QJsonDocument::fromJson(ctl.out.toUtf8()).object();
        QCOMPARE(report.value("changed").toBool(), changed);
        QCOMPARE(report.value("sent").toBool(), false);
        QCOMPARE(report.value("error"), QJsonValue());
        QCOMPARE(report.value("diff").toObject(), (QJsonObject{{"before", before}, {"after", after}}));
        QStringList refusedIds;
        for (const QJsonValue &refusal : report.value("refused").toArray()) {
            refusedIds.append(refusal.toObject().value("id").toString());
            // Each says why, as it says on standard error.
            const QString reason = refusal.toObject().value("reason").toString();
            QVERIFY2(!reason.isEmpty() && ctl.err.contains(reason), qPrintable(ctl.err));
        }
        QCOMPARE(refusedIds, refused);
    }

    // A fleet's file leaves out what tells devices apart, unless it is named,
    // and holds exactly what the device has.
    void exportJsonThenImport()
    {
        QTemporaryDir dir;
        const QString saved = dir.filePath("fleet.json");
        QCOMPARE(CtlRun(local({"export", "--json", saved})).exitCode, 0);
        QFile file(saved);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QJsonObject values = QJsonDocument::fromJson(file.readAll()).object();
        QCOMPARE(values.value("TopMargin"), QJsonValue("5.0"));
        QCOMPARE(values.value("PaperSize"), QJsonValue("A4"));
        for (const char *left :
             {"IPAddress", "SubnetMask", "HostName", "FaxNumber", "SerialNumber", "PhoneBook"})
            QVERIFY2(!values.contains(left), left);

        const CtlRun same(local({"import", saved, "--check", "--json"}));
        QCOMPARE(same.exitCode, 0);
        QCOMPARE(QJsonDocument::fromJson(same.out.toUtf8()).object().value("changed"), QJsonValue(false));

        const CtlRun named(local({"export", "--json", "-", "HostName", "Copies"}));
        QCOMPARE(QJsonDocument::fromJson(named.out.toUtf8()).object(),
                 (QJsonObject{{"HostName", "mfp-office-2"}, {"Copies", "1"}}));
    }

    void exportThenImport()
    {
        QTemporaryDir dir;
        const QString saved = dir.filePath("saved.xml");
        const CtlRun exported(local({"export", saved}));
        QCOMPARE(exported.exitCode, 0);
        QFile file(saved);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QString text = QString::fromUtf8(file.readAll());
        file.close();
        QVERIFY(text.contains("<HeaderNumber CURRENT=\"+49 30 5550 1234\" />"));
        QVERIFY2(!text.contains("SerialNumber"), "read-only texts are not exported");

        // Two values edited in the saved copy and one the device lacks: only the
        // two differ from the device, so only they would be sent.
        text.replace("<Copies CURRENT=\"1\" />", "<Copies CURRENT=\"4\" /><Stapler CURRENT=\"On\" />");
        text.replace("<HostName CURRENT=\"mfp-office-2\" />", "<HostName CURRENT=\"mfp-lab\" />");
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text.toUtf8());
        file.close();

        const CtlRun imported(local({"import", saved, "--dry-run"}));
        QCOMPARE(imported.exitCode, 0);
        QCOMPARE(imported.out, QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<root>\n"
                                              " <PrinterSettingsInfo>\n  <Copies CURRENT=\"4\" />\n"
                                              "  <HostName CURRENT=\"mfp-lab\" />\n </PrinterSettingsInfo>\n"
                                              "</root>\n"));
        QVERIFY2(imported.err.contains("Skipped 'Stapler'"), qPrintable(imported.err));
    }
};

QTEST_GUILESS_MAIN(TestVelmoraCtl)
#include "tst_velmoractl.moc"
