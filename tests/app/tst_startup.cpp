#include "app/appsettings.h"
#include "app/startup.h"
#include "common/logcapture.h"
#include "common/messageboxrecorder.h"
#include "common/programrun.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <vector>

namespace {
// An argument vector as main() gets it, built from a list of words.
class Argv
{
public:
    explicit Argv(const QStringList &words)
    {
        for (const QString &word : words)
            m_storage.push_back(word.toLocal8Bit());
        for (QByteArray &bytes : m_storage)
            m_pointers.push_back(bytes.data());
        m_pointers.push_back(nullptr);
    }
    int argc() const { return static_cast<int>(m_storage.size()); }
    char **argv() { return m_pointers.data(); }

private:
    std::vector<QByteArray> m_storage;
    std::vector<char *> m_pointers;
};

StartOptions readOptions(const QStringList &words)
{
    Argv args(words);
    const AppSettings settings(args.argc(), args.argv());
    return ReadStartOptions(settings, args.argc(), args.argv());
}
} // namespace

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
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<bool>("useLocal");
        QTest::addColumn<bool>("saveSent");
        QTest::addColumn<bool>("saveDescription");
        QTest::addColumn<bool>("saveLocalized");
        const QString prog = QStringLiteral("/opt/x/bin/velmora");
        QTest::newRow("none") << QStringList{prog, "/dev/usb/lp0", "Office"} << false << false << false
                              << false;
        QTest::newRow("save_vlm after the positionals")
            << QStringList{prog, "/dev/usb/lp0", "Office", "save_vlm"} << false << false << true << false;
        QTest::newRow("save_vlm among other words")
            << QStringList{prog, "/dev/usb/lp0", "Office", "x", "save_vlm", "y"} << false << false << true
            << false;
        QTest::newRow("all four in any order")
            << QStringList{prog,           "/dev/usb/lp0",  "Office",
                           "save_new_vlm", "use_local_vlm", "save_vlm_send",
                           "save_vlm"}
            << true << true << true << true;
        QTest::newRow("word given as the device path")
            << QStringList{prog, "use_local_vlm", "Office"} << true << false << false << false;
        QTest::newRow("word given as the device name")
            << QStringList{prog, "/dev/usb/lp0", "save_vlm_send"} << false << true << false << false;
        QTest::newRow("word given as the program path")
            << QStringList{"save_new_vlm", "/dev/usb/lp0", "Office"} << false << false << false << true;
        QTest::newRow("capitalised is another word")
            << QStringList{prog, "/dev/usb/lp0", "Office", "Save_vlm", "SAVE_VLM"} << false << false << false
            << false;
        QTest::newRow("value appended is another word")
            << QStringList{prog, "/dev/usb/lp0", "Office", "save_vlm=1", "use_local_vlm=yes"} << false
            << false << false << false;
        QTest::newRow("prefix, dashes and blanks are other words")
            << QStringList{prog, "/dev/usb/lp0", "Office", "save_vl", "--save_vlm", " save_vlm", "save_vlm "}
            << false << false << false << false;
        QTest::newRow("save_vlm_send does not set save_vlm")
            << QStringList{prog, "/dev/usb/lp0", "Office", "save_vlm_send"} << false << true << false
            << false;
        QTest::newRow("save_new_vlm does not set save_vlm")
            << QStringList{prog, "/dev/usb/lp0", "Office", "save_new_vlm"} << false << false << false << true;
    }
    void optionWords()
    {
        QFETCH(QStringList, words);
        QFETCH(bool, useLocal);
        QFETCH(bool, saveSent);
        QFETCH(bool, saveDescription);
        QFETCH(bool, saveLocalized);
        const StartOptions options = readOptions(words);
        QCOMPARE(options.useLocalDescription, useLocal);
        QCOMPARE(options.saveSentDocument, saveSent);
        QCOMPARE(options.saveDescription, saveDescription);
        QCOMPARE(options.saveLocalizedDescription, saveLocalized);
        QCOMPARE(options.devPath, words.at(1));
        QCOMPARE(options.devName, words.at(2));
    }

    void devicePositionalsMissingAfterOptionRemoval()
    {
        // The toolkit may leave fewer arguments than were counted raw.
        const StartOptions options = readOptions({QStringLiteral("velmora"), QStringLiteral("/dev/lp0")});
        QCOMPARE(options.devPath, QStringLiteral("/dev/lp0"));
        QVERIFY(options.devName.isNull());
    }

    void programDirectoryOfStagedProgram()
    {
        const StartOptions options = readOptions({ProgramRun::stagedProgram(), "/dev/null", "Office"});
        QCOMPARE(options.programDir, QDir(ProgramRun::stagedBinDir()).canonicalPath());
    }

    void enterProgramDirectory_data()
    {
        QTest::addColumn<QString>("argv0");
        QTest::addColumn<QString>("expected"); // relative to the fixture
        QTest::addColumn<bool>("fails");
        QTest::newRow("relative path") << "sub/bin/velmora"
                                       << "sub/bin" << false;
        QTest::newRow("absolute path") << "@/sub/bin/velmora"
                                       << "sub/bin" << false;
        QTest::newRow("bare name stays where it is") << "velmora"
                                                     << "" << false;
        QTest::newRow("directory that does not exist") << "@/missing/velmora"
                                                       << "" << true;
    }
    void enterProgramDirectory()
    {
        QFETCH(QString, argv0);
        QFETCH(QString, expected);
        QFETCH(bool, fails);
        QTemporaryDir dir;
        const QString root = QDir(dir.path()).canonicalPath();
        QVERIFY(QDir(root).mkpath(QStringLiteral("sub/bin")));
        QVERIFY(QDir::setCurrent(root));
        const QString target = expected.isEmpty() ? root : root + QLatin1Char('/') + expected;

        LogCapture log;
        EnterProgramDirectory(QFile::encodeName(QString(argv0).replace(QLatin1Char('@'), root)));

        QCOMPARE(QDir::currentPath(), target);
        QStringList lines{QStringLiteral("QDir::currentDirPath=<%1>").arg(root)};
        if (fails)
            lines << QStringLiteral("Failed to change the current directory");
        lines << QStringLiteral("QDir::currentDirPath=<%1>").arg(target);
        QCOMPARE(log.lines(), lines);
    }

    void settingsUnavailableEndsWithErrorBox()
    {
        StartOptions options;
        options.programDir = ProgramRun::stagedBinDir();
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
        QCOMPARE(log.lines().last(), QStringLiteral("Cannot get printer settings!"));
        QCOMPARE(log.count(QStringLiteral("Cannot get printer settings!")), 1);
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }

    void controllerReportsVersionFromProgramDirectory_data()
    {
        QTest::addColumn<QString>("programDir");
        QTest::addColumn<QString>("expected");
        QTest::newRow("staged program directory")
            << ProgramRun::stagedBinDir() << "\t\tVelmora: " VELMORA_VERSION " Velmora development build\n";
        QTest::newRow("no program directory") << QString() << "can't get application version";
    }
    void controllerReportsVersionFromProgramDirectory()
    {
        QFETCH(QString, programDir);
        QFETCH(QString, expected);
        StartOptions options;
        options.programDir = programDir;
        MessageBoxRecorder boxes;
        LogCapture log;
        QCOMPARE(RunSettings(options), 1);
        QVERIFY2(log.lines().first().contains(expected), qPrintable(log.lines().first()));
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
