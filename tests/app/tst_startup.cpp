#include "app/appsettings.h"
#include "app/startup.h"
#include "common/datatable.h"
#include "common/messageboxrecorder.h"
#include "common/simulateddevice.h"
#include "controller/configuratorfixture.h"

#include <QApplication>
#include <QDialog>
#include <QLayout>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <vector>

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        // Every warning is a fault, but for the offscreen platform's note that a
        // window of fixed size cannot tell it its size.
        QTest::failOnWarning(
            QRegularExpression(QStringLiteral("^(?!This plugin does not support propagateSizeHints\\(\\))")));
    }

    void optionWords_data()
    {
        // line: the command line, words split at '|'; set: the options that
        // must be on, in a fixed order
        addColumns<QString, QString>({"line", "set"});
        addRow("all four in any order",
               "velmora|/dev/lp0|Office|save_new_vlm|use_local_vlm|save_vlm_send|save_vlm",
               "use_local_vlm save_vlm_send save_vlm save_new_vlm");
        addRow("word given as the program path", "save_new_vlm|/dev/usb/lp0|Office", "save_new_vlm");
        addRow("case, values, prefixes, dashes and blanks make other words",
               "velmora|/dev/lp0|Office|Save_vlm|SAVE_VLM|save_vlm=1|save_vl|--save_vlm| save_vlm|save_vlm ",
               "");
        addRow("save_vlm_send does not set save_vlm", "velmora|/dev/lp0|Office|save_vlm_send",
               "save_vlm_send");
        // The toolkit may leave fewer arguments than were counted raw.
        addRow("device name missing", "velmora|/dev/lp0", "");
    }
    void optionWords()
    {
        QFETCH(QString, line);
        const QStringList words = line.split(QLatin1Char('|'));
        std::vector<QByteArray> storage;
        std::vector<char *> argv;
        for (const QString &word : words)
            storage.push_back(word.toLocal8Bit());
        for (QByteArray &bytes : storage)
            argv.push_back(bytes.data());
        argv.push_back(nullptr);
        const StartOptions options =
            ReadStartOptions(AppSettings(int(words.size()), argv.data()), int(words.size()), argv.data());
        const QStringList set{options.useLocalDescription ? "use_local_vlm" : "",
                              options.saveSentDocument ? "save_vlm_send" : "",
                              options.saveDescription ? "save_vlm" : "",
                              options.saveLocalizedDescription ? "save_new_vlm" : ""};
        QTEST(set.join(QLatin1Char(' ')).simplified(), "set");
        QCOMPARE(options.devPath, words.at(1));
        QCOMPARE(options.devName, words.value(2));
        QCOMPARE(options.devName.isNull(), words.size() < 3);
    }

    void settingsUnavailableEndsWithErrorBox_data()
    {
        // device: devsim options and description, or a node that is not there; reason: in the box
        addColumns<QStringList, QString, bool, QString>({"device", "description", "local", "reason"});
        addRow("no such node", QStringList(), samplePath(), false, "There is no device node ");
        addRow("silent device", QStringList{"--silent"}, samplePath(), false,
               "The device did not answer within 3000 ms.");
        addRow("empty description", QStringList{"--announce", "0"}, samplePath(), false,
               "The device announced an empty description.");
        addRow("not valid XML", QStringList(), descriptionData("not_well_formed.xml"), false,
               "The description is not valid XML: ");
        addRow("no settings section", QStringList(), descriptionData("missing_printer_settings.xml"), false,
               "The description has no root/PrinterSettingsInfo element.");
        addRow("local file missing", QStringList(), QString(), true, "The description file ");
    }
    void settingsUnavailableEndsWithErrorBox()
    {
        QFETCH(QStringList, device);
        QFETCH(QString, description);
        QFETCH(bool, local);
        SimulatedDevice simulator;
        const bool served = !device.isEmpty() || description != samplePath();
        if (served && !local)
            QVERIFY2(simulator.start(description, device), qPrintable(simulator.errorText()));
        RunTreeCopy tree;
        QDir::setCurrent(tree.binDir());
        StartOptions options;
        options.programDir = tree.binDir();
        options.devPath = served ? simulator.devicePath() : tree.outside("lp0");
        options.devName = QStringLiteral("Office");
        options.useLocalDescription = local;
        MessageBoxRecorder boxes;
        QCOMPARE(RunSettings(options), 1);
        QCOMPARE(boxes.count(), 1);
        const UserMessage::Request box = boxes.last();
        QCOMPARE(box.icon, QMessageBox::Critical);
        QCOMPARE(box.caption, QStringLiteral("Error"));
        QCOMPARE(box.text, QStringLiteral("Cannot get printer settings!"));
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QFETCH(QString, reason);
        QVERIFY2(box.informativeText.startsWith(reason), qPrintable(box.informativeText));
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }

    void settingsWindowResultIsTheExitStatus_data()
    {
        addColumns<bool, int>({"accept", "status"});
        addRow("accepted", true, 1);
        addRow("closed", false, 0);
    }
    void settingsWindowResultIsTheExitStatus()
    {
        SimulatedDevice simulator;
        QVERIFY2(simulator.start(samplePath()), qPrintable(simulator.errorText()));
        RunTreeCopy tree;
        QDir::setCurrent(tree.binDir());
        StartOptions options;
        options.programDir = tree.binDir();
        options.devPath = simulator.devicePath();
        options.devName = QStringLiteral("Office \"2\"");
        QFETCH(bool, accept);
        QString heading;
        bool fixed = false;
        // Answers the window once it runs modally.
        QTimer closer;
        connect(&closer, &QTimer::timeout, [&] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            closer.stop();
            heading = dialog->findChild<QTreeWidget *>("paramList")->headerItem()->text(0);
            fixed = dialog->layout() && dialog->layout()->sizeConstraint() == QLayout::SetFixedSize;
            accept ? dialog->accept() : dialog->reject();
        });
        closer.start(0);
        MessageBoxRecorder boxes;
        QTEST(RunSettings(options), "status");
        QCOMPARE(heading, options.devName);
        QVERIFY(fixed);
        // The description was fetched twice: once to check, once for the window.
        QCOMPARE(simulator.records().size(), 4);
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
