#include "app/appsettings.h"
#include "app/startup.h"
#include "common/datatable.h"
#include "common/messageboxrecorder.h"
#include "common/simulateddevice.h"
#include "controller/configuratorfixture.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLayout>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <functional>
#include <vector>

namespace {
// What the settings window was like once it ran modally.
struct ShownWindow
{
    QString heading;
    QLayout::SizeConstraint constraint = QLayout::SetDefaultConstraint;
    QSize size;
    QSize available;
    // The title and value columns' widths, what the widest title needs, and
    // the room the tree's view gives them.
    int titles = 0;
    int titlesNeeded = 0;
    int values = 0;
    int view = 0;
};
} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

    // The window's size is kept here, never in the user's own configuration.
    QTemporaryDir m_configHome;

    QString sizeFile() const { return m_configHome.path() + QStringLiteral("/velmora/velmora.conf"); }

    // Runs the settings window on the sample device; once it runs modally,
    // records it, lets act change it, and closes it (accepted or not).
    // Returns the exit status.
    int runWindow(ShownWindow *shown, bool accept = false,
                  const std::function<void(QDialog *)> &act = nullptr)
    {
        SimulatedDevice simulator;
        if (!simulator.start(samplePath())) {
            qWarning("%s", qPrintable(simulator.errorText()));
            return -1;
        }
        RunTreeCopy tree;
        // The remembered size is looked at after the tree is gone.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_configHome.path()));
        QDir::setCurrent(tree.binDir());
        StartOptions options;
        options.programDir = tree.binDir();
        options.devPath = simulator.devicePath();
        options.devName = QStringLiteral("Office \"2\"");
        QTimer closer;
        connect(&closer, &QTimer::timeout, [&] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            closer.stop();
            auto *list = dialog->findChild<QTreeWidget *>("paramList");
            shown->heading = list->headerItem()->text(0);
            shown->constraint = dialog->layout()->sizeConstraint();
            shown->size = dialog->size();
            shown->available = dialog->screen()->availableSize();
            shown->titles = list->header()->sectionSize(0);
            shown->titlesNeeded = static_cast<QAbstractItemView *>(list)->sizeHintForColumn(0);
            shown->values = list->header()->sectionSize(1);
            shown->view = list->viewport()->width();
            if (act)
                act(dialog);
            accept ? dialog->accept() : dialog->reject();
        });
        closer.start(0);
        MessageBoxRecorder boxes;
        const int status = RunSettings(options);
        if (simulator.records().size() != 4)
            qWarning("the description was not fetched twice");
        return status;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_configHome.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_configHome.path()));
    }

    void init()
    {
        // Every warning is a fault, but for the offscreen platform's note that a
        // window cannot tell it the least size its layout allows.
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
        // The window's own read of the settings, the second at start-up, fails.
        addRow("second read", QStringList{"--fail-from", "2"}, samplePath(), false,
               "The device did not answer");
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
        QFETCH(bool, accept);
        ShownWindow shown;
        QTEST(runWindow(&shown, accept), "status");
        QCOMPARE(shown.heading, QStringLiteral("Office \"2\""));
    }

    // The window can be made larger; it opens wide enough to show the
    // widest title and value whole, within three quarters of the screen,
    // unless a size was remembered, which is given back within the screen.
    // The size it closes at is remembered.
    void windowSize_data()
    {
        // remembered: in the file before the start (none: no file);
        // opens: the size expected, empty for the fitting size
        addColumns<QSize, QSize>({"remembered", "opens"});
        addRow("nothing remembered: fits title and value", QSize(), QSize());
        addRow("remembered size", QSize(520, 430), QSize(520, 430));
        addRow("remembered size larger than the screen", QSize(9000, 7000), QSize(-2, -2));
    }
    void windowSize()
    {
        QFETCH(QSize, remembered);
        QFETCH(QSize, opens);
        QFile::remove(sizeFile());
        if (remembered.isValid())
            QSettings(sizeFile(), QSettings::IniFormat).setValue(QStringLiteral("window/size"), remembered);
        ShownWindow shown;
        QSize resized;
        QCOMPARE(runWindow(&shown, false,
                           [&](QDialog *dialog) {
                               resized = shown.size + QSize(40, 30);
                               dialog->resize(resized);
                           }),
                 0);
        QVERIFY(shown.constraint != QLayout::SetFixedSize);
        // Whole titles, however narrow the view.
        QVERIFY2(shown.titles >= shown.titlesNeeded,
                 qPrintable(QStringLiteral("%1 < %2").arg(shown.titles).arg(shown.titlesNeeded)));
        if (opens == QSize(-2, -2))
            opens = shown.available;
        if (opens.isEmpty()) {
            QVERIFY2(shown.view >= shown.titles + shown.values,
                     qPrintable(
                         QStringLiteral("%1 < %2 + %3").arg(shown.view).arg(shown.titles).arg(shown.values)));
            QVERIFY(shown.size.width() <= shown.available.width() * 3 / 4);
            QVERIFY(shown.size.height() <= shown.available.height() * 3 / 4);
        } else {
            QCOMPARE(shown.size, opens);
        }
        // Made larger, and remembered so.
        QCOMPARE(QSettings(sizeFile(), QSettings::IniFormat).value(QStringLiteral("window/size")).toSize(),
                 resized);
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
