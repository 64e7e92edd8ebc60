// The controller against the simulated device: fetching the description,
// sending changes, the reasons of failures, the files beside the program.
#include "common/datatable.h"
#include "common/logcapture.h"
#include "common/simulateddevice.h"
#include "configuratorfixture.h"
#include "controller/programfiles.h"
#include "model/concreteelement.h"
#include "model/settingsparser.h"

#include <QJsonObject>
#include <QTest>

namespace {
ConcreteElement *setting(Configurator &controller, const QString &id)
{
    return qobject_cast<ConcreteElement *>(controller.parser()->findElement(id));
}
} // namespace

class TestConfigurator : public QObject
{
    Q_OBJECT
private slots:
    void resolvePath_data()
    {
        addColumns<QString, QString, QString>({"programDir", "relative", "resolved"});
        addRow("null gives the program directory", "/usr/x/bin", QString(), "/usr/x/bin");
        addRow("dot slash is appended as written", "/usr/x/bin", "./a/../.version",
               "/usr/x/bin/a/../.version");
        addRow("share path is cleaned", "/usr/x/bin", "../share/velmora/translation/en",
               "/usr/x/share/velmora/translation/en");
        addRow("sibling tool", "/usr/x/bin", "../../PhoneBook/bin/phonebook", "/usr/PhoneBook/bin/phonebook");
        addRow("unknown program directory", QString(), "../../PhoneBook/bin/phonebook", QString());
    }
    void resolvePath()
    {
        QFETCH(QString, programDir);
        QFETCH(QString, relative);
        const ProgramFiles files(programDir, "Office");
        QFETCH(QString, resolved);
        QCOMPARE(files.resolvePath(relative), resolved);
        QCOMPARE(files.resolvePath(relative).isNull(), resolved.isNull());
    }

    void versionFile_data()
    {
        // content: of the version file (null: no file); banner: a line of the trace
        addColumns<QByteArray, QString, QList<quint32>>({"content", "banner", "version"});
        addRow("numbers and a note", QByteArray("2.00.12 build 7\nsecond line\n"),
               "\t\tVelmora: 2.00.12 build 7\n===", QList<quint32>{2, 0, 12});
        addRow("two numbers", QByteArray("3.1"), "\t\tVelmora: 3.1===", QList<quint32>{3, 1, 0});
        addRow("a word that is no number", QByteArray("x.2.5.9\n"), "Velmora: x.2.5.9",
               QList<quint32>{0, 2, 5});
        addRow("empty", QByteArray(""), "Configurator::Configurator() can't read version file",
               QList<quint32>{0, 0, 0});
        addRow("binary", QByteArray("\x00\x01\xff\xfe.\x80", 6), "Velmora: ", QList<quint32>{0, 0, 0});
        addRow("missing", QByteArray(), "Configurator::Configurator() can't get application version",
               QList<quint32>{0, 0, 0});
    }
    void versionFile()
    {
        RunTreeCopy tree;
        QVERIFY(tree.isValid());
        QFETCH(QByteArray, content);
        QVERIFY(content.isNull() ? QFile::remove(tree.shareDir() + "/version")
                                 : tree.write("share/velmora/version", content));
        LogCapture log;
        auto controller = controllerIn(tree, "/dev/null");
        QFETCH(QString, banner);
        QVERIFY2(log.lines().join('\n').contains(banner), qPrintable(log.lines().join('\n')));
        const Version version = controller->aboutInfo().version;
        QTEST((QList<quint32>{version.major, version.minor, version.third}), "version");
    }

    void logo_data()
    {
        addColumns<bool, bool>({"picture", "shown"});
        addRow("the staged picture", true, true);
        addRow("a file that is no picture", false, false);
    }
    void logo()
    {
        RunTreeCopy tree;
        QFETCH(bool, picture);
        if (!picture)
            QVERIFY(tree.write("share/velmora/icons/logo.png", "GIF89a? no, just text"));
        auto controller = controllerIn(tree, "/dev/null", "Lab");
        const AboutInfo about = controller->aboutInfo();
        QTEST(!about.logo.isNull(), "shown");
        QCOMPARE(about.model, QStringLiteral("Lab"));
        QCOMPARE(about.sw, QStringLiteral("Velmora"));
        // Asked again, the cached picture is the same.
        QCOMPARE(controller->aboutInfo().logo.cacheKey(), about.logo.cacheKey());
    }

    // Through a device path outside Latin-1, which every exchange must name
    // alike: the description, the changes and a maintenance command reach one node.
    void appliedChangeArrivesAndIsFetchedAgain()
    {
        SimulatedDevice device;
        QVERIFY2(device.start(samplePath(), {"--apply"}), qPrintable(device.errorText()));
        RunTreeCopy tree;
        const QString link = tree.outside(QStringLiteral("drucker-\u00fc-\u6253\u5370\u673a"));
        QVERIFY(QFile::link(device.devicePath(), link));
        auto controller = controllerIn(tree, link);
        QVERIFY(controller->loadSettings());
        QCOMPARE(setting(*controller, "Copies")->current(), QStringLiteral("1"));
        // Nothing changed: nothing is sent, and that is no failure.
        QVERIFY(!controller->applySettings(""));
        QVERIFY(controller->lastFailure().isEmpty());

        setting(*controller, "Copies")->setCurrent("3");
        QVERIFY2(controller->applySettings(""), qPrintable(controller->lastFailure()));
        QVERIFY(controller->lastFailure().isEmpty());
        QVERIFY(device.waitForRecords(3));
        const QList<QJsonObject> records = device.records();
        QCOMPARE(records.size(), 3); // ALL?, DATA, the changes
        QCOMPARE(records.last().value("request").toString(), QStringLiteral("changes"));
        QCOMPARE(records.last().value("text").toString(), changeDocument("<Copies CURRENT=\"3\" />"));

        QVERIFY(controller->loadSettings());
        QCOMPARE(setting(*controller, "Copies")->current(), QStringLiteral("3"));
        QVERIFY(controller->parser()->getChanges("").isEmpty());
        controller->ijTestPagePrint(nullptr, {}, QString());
        QVERIFY(device.waitForRecords(6));
        QCOMPARE(device.records().last().value("command").toString(), QStringLiteral("test page"));
    }

    void failedApplySaysWhy_data()
    {
        addColumns<QStringList, QString>({"options", "reason"});
        addRow("refused", QStringList{"--status", "1"}, "The device refused the changes (status 1).");
        addRow("silent", QStringList{"--silent"}, "The device did not answer in time.");
        addRow("no node", QStringList(), "The device cannot be opened. (No such file or directory)");
    }
    void failedApplySaysWhy()
    {
        QFETCH(QStringList, options);
        SimulatedDevice device;
        QVERIFY2(device.start(samplePath(), options), qPrintable(device.errorText()));
        RunTreeCopy tree;
        QVERIFY(tree.writeData("vlm.xml", fileBytes(samplePath())));
        const QString node = options.isEmpty() ? tree.outside("gone") : device.devicePath();
        auto controller = controllerIn(tree, node, "Office", {true});
        QVERIFY(controller->loadSettings());
        setting(*controller, "HostName")->setCurrent("lab");
        QVERIFY(!controller->applySettings(""));
        QTEST(controller->lastFailure(), "reason");
        // The change is still pending for another try.
        QCOMPARE(controller->parser()->getChanges(""), changeDocument("<HostName CURRENT=\"lab\" />"));
    }

    void saveFiles_data()
    {
        // devName as the device may call itself; file: the name in the user's data folder
        addColumns<QString, ControllerOptions, QString, QString>({"devName", "options", "file", "holds"});
        addRow("description as received", "Office", ControllerOptions{false, false, true, false},
               "vlm(Office).xml", "received");
        addRow("parsed document written last", "Office", ControllerOptions{false, false, true, true},
               "vlm(Office).xml", "parsed");
        addRow("sent document", "Office", ControllerOptions{false, true, false, false},
               "vlm_send(Office).xml", "sent");
        // Were the name used as it is, the file would land in <tree>/x.
        addRow("slashes in the name stay in the directory", "/../../x/Office",
               ControllerOptions{false, true, true, false}, "vlm(_.._.._x_Office).xml", "received");
    }
    void saveFiles()
    {
        QFETCH(QString, devName);
        QFETCH(ControllerOptions, options);
        SimulatedDevice device;
        QVERIFY2(device.start(samplePath()), qPrintable(device.errorText()));
        RunTreeCopy tree;
        QVERIFY(QDir().mkpath(tree.dataDir() + "/vlm(") && QDir().mkpath(tree.dataDir() + "/vlm_send("));
        QVERIFY(QDir().mkpath(tree.root() + "/x"));
        auto controller = controllerIn(tree, device.devicePath(), devName, options);
        QVERIFY(controller->loadSettings());
        setting(*controller, "Copies")->setCurrent("4");
        QVERIFY(controller->applySettings(""));

        QFETCH(QString, file);
        QFETCH(QString, holds);
        const QByteArray saved = fileBytes(tree.dataDir() + '/' + file);
        // A device's settings are the user's own: nobody else may read them.
        QCOMPARE(QFile::permissions(tree.dataDir() + '/' + file) & ~(QFile::ReadUser | QFile::WriteUser),
                 QFile::ReadOwner | QFile::WriteOwner);
        if (holds == "received")
            QCOMPARE(saved, fileBytes(samplePath()));
        else if (holds == "sent")
            QCOMPARE(QString::fromUtf8(saved), changeDocument("<Copies CURRENT=\"4\" />"));
        else // the parsed document is written with four blanks per level
            QVERIFY2(saved.contains("\n    <PrinterSettingsInfo"), saved.constData());
        // Nothing landed outside the user's data folder.
        QVERIFY(QDir(tree.root() + "/x").isEmpty());
    }

    void unwritableDataFolderSavesNothing()
    {
        SimulatedDevice device;
        QVERIFY2(device.start(samplePath()), qPrintable(device.errorText()));
        RunTreeCopy tree;
        // Below a regular file nothing can be created, not even by root.
        qputenv("XDG_DATA_HOME", QFile::encodeName(tree.shareDir() + "/version/data"));
        QDir::setCurrent(tree.binDir());
        Configurator controller(tree.binDir(), device.devicePath(), "Office", false, true, true, true);
        QVERIFY(controller.loadSettings());
        setting(controller, "Copies")->setCurrent("2");
        QVERIFY(controller.applySettings(""));
    }
};

QTEST_MAIN(TestConfigurator)
#include "tst_configurator.moc"
