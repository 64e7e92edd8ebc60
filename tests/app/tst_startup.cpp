#include "app/appsettings.h"
#include "app/startup.h"
#include "common/datatable.h"
#include "common/logcapture.h"
#include "common/messageboxrecorder.h"
#include "common/programrun.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <utility>
#include <vector>

class TestStartup : public QObject
{
    Q_OBJECT
private:
    QString m_savedCwd;

private slots:
    void initTestCase() { m_savedCwd = QDir::currentPath(); }
    void cleanup() { QDir::setCurrent(m_savedCwd); }
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral("."))); }

    void optionWords_data()
    {
        // line: the command line, words split at '|'; set: the options that
        // must be on, in a fixed order
        addColumns<QString, QString>({"line", "set"});
        const auto row = [](const char *name, const char *words, const char *set) {
            QTest::newRow(name) << QString::fromUtf8(words) << QString::fromUtf8(set);
        };
        row("save_vlm among other words", "velmora|/dev/usb/lp0|Office|x|save_vlm|y", "save_vlm");
        row("all four in any order",
            "velmora|/dev/lp0|Office|save_new_vlm|use_local_vlm|save_vlm_send|save_vlm",
            "use_local_vlm save_vlm_send save_vlm save_new_vlm");
        row("words given as the device path and name", "velmora|use_local_vlm|save_vlm_send",
            "use_local_vlm save_vlm_send");
        row("word given as the program path", "save_new_vlm|/dev/usb/lp0|Office", "save_new_vlm");
        row("case, values, prefixes, dashes and blanks make other words",
            "velmora|/dev/lp0|Office|Save_vlm|SAVE_VLM|save_vlm=1|save_vl|--save_vlm| save_vlm|save_vlm ",
            "");
        row("save_vlm_send does not set save_vlm", "velmora|/dev/lp0|Office|save_vlm_send", "save_vlm_send");
        // The toolkit may leave fewer arguments than were counted raw.
        row("device name missing", "velmora|/dev/lp0", "");
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
        const AppSettings settings(int(words.size()), argv.data());
        const StartOptions options = ReadStartOptions(settings, int(words.size()), argv.data());

        QStringList set;
        const std::pair<bool, const char *> flags[] = {{options.useLocalDescription, "use_local_vlm"},
                                                       {options.saveSentDocument, "save_vlm_send"},
                                                       {options.saveDescription, "save_vlm"},
                                                       {options.saveLocalizedDescription, "save_new_vlm"}};
        for (const auto &[on, word] : flags) {
            if (on)
                set << QLatin1String(word);
        }
        QTEST(set.join(QLatin1Char(' ')), "set");
        QCOMPARE(options.devPath, words.at(1));
        QCOMPARE(options.devName, words.value(2));
        QCOMPARE(options.devName.isNull(), words.size() < 3);
    }

    void programDirectoryThatDoesNotExist()
    {
        QTemporaryDir dir;
        const QString root = QDir(dir.path()).canonicalPath();
        QVERIFY(QDir::setCurrent(root));
        LogCapture log;
        EnterProgramDirectory(QFile::encodeName(root + QStringLiteral("/missing/velmora")));
        QCOMPARE(QDir::currentPath(), root);
        const QString where = QStringLiteral("QDir::currentDirPath=<%1>").arg(root);
        QCOMPARE(log.lines(), (QStringList{where, "Failed to change the current directory", where}));
    }

    void settingsUnavailableEndsWithErrorBox_data()
    {
        // firstLine: the version, read from the program directory
        addColumns<QString, QString>({"programDir", "firstLine"});
        QTest::newRow("staged program directory")
            << ProgramRun::stagedBinDir() << "\t\tVelmora: " VELMORA_VERSION " Velmora development build\n";
        QTest::newRow("no program directory") << QString() << "can't get application version";
    }
    void settingsUnavailableEndsWithErrorBox()
    {
        QFETCH(QString, programDir);
        QFETCH(QString, firstLine);
        StartOptions options;
        options.programDir = programDir;
        options.devPath = QStringLiteral("/dev/null");
        options.devName = QStringLiteral("Office");
        MessageBoxRecorder boxes;
        LogCapture log;

        QCOMPARE(RunSettings(options), 1);

        QCOMPARE(boxes.count(), 1);
        const UserMessage::Request box = boxes.last();
        QCOMPARE(box.icon, QMessageBox::Critical);
        QCOMPARE(box.caption, QStringLiteral("Error"));
        QCOMPARE(box.text, QStringLiteral("Cannot get printer settings!"));
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY2(log.lines().first().contains(firstLine), qPrintable(log.lines().first()));
        QCOMPARE(log.lines().last(), QStringLiteral("Cannot get printer settings!"));
        QCOMPARE(log.count(QStringLiteral("Cannot get printer settings!")), 1);
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
