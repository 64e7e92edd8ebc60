// The staged program as a user starts it: from a terminal without a display,
// through links and the search path, and once per device. This test process
// is itself a single-instance application (for its own key), and every run
// gets a private runtime directory so the instance files of the user stay
// untouched.
#include "app/singleapplication.h"
#include "app/startup.h"
#include "common/datatable.h"
#include "common/messageboxrecorder.h"
#include "common/programrun.h"
#include "common/simulateddevice.h"
#include "controller/configuratorfixture.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <sys/stat.h>

namespace {
using Run = std::unique_ptr<ProgramRun>;
Run startProgram(const QStringList &arguments,
                 const QProcessEnvironment &environment = ProgramRun::offscreenEnvironment(),
                 const QString &program = ProgramRun::stagedProgram(), const QString &directory = QString())
{
    auto run = std::make_unique<ProgramRun>(environment);
    run->start(program, arguments, directory);
    return run;
}

const QString Served = QStringLiteral("Cannot get printer settings!"); // past the single-instance check
const QString OwnKey = QStringLiteral("/dev/usb/lp9 Test process");

// "serves": reached the error box; "left": handed its key to a running
// instance, exit 0 before the change of directory.
QString outcome(ProgramRun &run)
{
    // Waiting keeps this process's event loop running: it may be the instance being asked.
    if (!QTest::qWaitFor([&] { return !run.isRunning() || run.hasWritten(Served); }, 20000))
        return QStringLiteral("hangs: ") + run.errorOutput();
    if (run.isRunning())
        return QStringLiteral("serves");
    const bool left = run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0 &&
                      !run.hasWritten(QStringLiteral("QDir::currentDirPath"));
    return left ? QStringLiteral("left") : QStringLiteral("fails: ") + run.errorOutput();
}
} // namespace

class TestProgramStart : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_root;
    SingleApplication &m_app = *static_cast<SingleApplication *>(QCoreApplication::instance());

private slots:
    void initTestCase()
    {
        m_root = QDir(m_dir.path()).canonicalPath();
        QVERIFY(QDir(m_root).mkpath(QStringLiteral("elsewhere/bin")) &&
                QDir(m_root).mkpath(QStringLiteral("empty")));
        QVERIFY(QFile::link(ProgramRun::stagedBinDir(), m_root + QStringLiteral("/linkdir")));
        // This link sits in a directory without the program's files.
        QVERIFY(QFile::link(ProgramRun::stagedProgram(), m_root + QStringLiteral("/elsewhere/bin/velmora")));
    }

    void usageWithoutDisplay()
    {
        Run run = startProgram({QStringLiteral("/dev/null")}, ProgramRun::displaylessEnvironment());
        QVERIFY(run->waitForExit());
        QCOMPARE(run->exitStatus(), QProcess::NormalExit);
        QCOMPARE(run->exitCode(), 1);
        const QRegularExpression usage(
            QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d> Usage: Velmora <devPath> <devName>\\n$"));
        QVERIFY2(usage.match(run->errorOutput()).hasMatch(), qPrintable(run->errorOutput()));
    }

    void findsItsOwnDirectory_data()
    {
        // command: as typed in a shell in the fixture's root; enters: the directory of the path as given
        addColumns<QString, QString>({"command", "enters"});
        QTest::newRow("relative path whose directory is a link")
            << "linkdir/velmora" << QDir(ProgramRun::stagedBinDir()).canonicalPath();
        QTest::newRow("link to the program elsewhere")
            << "elsewhere/bin/velmora" << m_root + "/elsewhere/bin";
        // The first search entry lacks the program; the shell passes the bare name on.
        QTest::newRow("bare name through the search path") << "velmora" << m_root;
    }
    void findsItsOwnDirectory()
    {
        QFETCH(QString, command);
        QProcessEnvironment environment = ProgramRun::offscreenEnvironment();
        environment.insert(QStringLiteral("PATH"), m_root + QStringLiteral("/empty:") +
                                                       ProgramRun::stagedBinDir() + QStringLiteral(":/bin"));
        // An option word that writes nothing beside the staged program.
        const QString line =
            QStringLiteral("exec %1 -platform offscreen /dev/null Found use_local_vlm").arg(command);
        Run run = startProgram({"-c", line, "sh"}, environment, QStringLiteral("/bin/sh"), m_root);
        QCOMPARE(outcome(*run), QStringLiteral("serves"));
        // The toolkit's options are gone before the arguments are read.
        const QString err = run->errorOutput();
        QFETCH(QString, enters);
        for (const QString &text :
             {"arg[0] = " + command, "QDir::currentDirPath=<" + enters + ">",
              QStringLiteral("arg[1] = /dev/null"), QStringLiteral("arg[3] = use_local_vlm")})
            QVERIFY2(err.contains(text + QLatin1Char('\n')), qPrintable(text + QLatin1Char('\n') + err));
        QVERIFY2(!err.contains(QStringLiteral("arg[4]")), qPrintable(err));
    }

    void startsAtTheSameMoment_data()
    {
        addColumns<QStringList, QStringList, QStringList>({"first", "second", "outcomes"});
        const QStringList one{"left", "serves"};
        const QStringList office{"/dev/null", "Office"};
        QTest::newRow("same device path and name") << office << office << one;
        QTest::newRow("same path, other device name")
            << office << QStringList{"/dev/null", "Lab"} << QStringList{"serves", "serves"};
        // Words that save files would write beside the staged program; this one only reads.
        QTest::newRow("option words do not change the key")
            << office << (office + QStringList{"use_local_vlm"}) << one;
        // The key is taken from the raw arguments, before the toolkit has removed its own options.
        QTest::newRow("key from raw arguments with toolkit options")
            << QStringList{"-platform", "offscreen", "/dev/null", "Office"}
            << QStringList{"-platform", "offscreen", "/dev/zero", "Lab"} << one;
    }
    void startsAtTheSameMoment()
    {
        QFETCH(QStringList, first);
        QFETCH(QStringList, second);
        // Two starts racing for one key cannot both become the instance.
        Run runs[] = {startProgram(first), startProgram(second)};
        QStringList outcomes{outcome(*runs[0]), outcome(*runs[1])};
        outcomes.sort();
        QTEST(outcomes, "outcomes");
    }

    // A device that waits 2.2 s before each reply keeps the first start
    // fetching for about 9 s; the second start must neither give up on it
    // and ask the device itself, nor wait for its window.
    void secondStartWhileTheFirstFetches()
    {
        SimulatedDevice device;
        QVERIFY2(device.start(samplePath(), {"--delay-ms", "2200"}), qPrintable(device.errorText()));
        Run first = startProgram({device.devicePath(), "Slow"});
        QTest::qWait(1500);
        Run second = startProgram({device.devicePath(), "Slow"});
        QCOMPARE(outcome(*second), QStringLiteral("left"));
        QVERIFY2(device.records().size() < 4, "the second start was answered only after the fetches");
        QVERIFY(device.waitForRecords(4, 30000));
        QStringList requests;
        for (const QJsonObject &record : device.records())
            requests << record.value("request").toString();
        QCOMPARE(requests, QStringList({"ALL?", "DATA", "ALL?", "DATA"}));
    }

    // A holder of the lock that takes connections but never the message
    // keeps this start off the device for the whole bound; then the user is told.
    void unansweredHolder()
    {
        QLockFile holder(SingleApplication::lockFilePath(OwnKey));
        QLocalServer deaf;
        QVERIFY(holder.tryLock(0) && deaf.listen(SingleApplication::socketPath(OwnKey)));
        MessageBoxRecorder boxes;
        const QDeadlineTimer bound(1500);
        QCOMPARE(HandOver(m_app, OwnKey, 1500), std::optional<int>(1));
        QVERIFY(bound.hasExpired() && !m_app.isInstance());
        QCOMPARE(boxes.last().icon, QMessageBox::Critical);
        QCOMPARE(boxes.last().text, QStringLiteral("Velmora is already running for this device."));
    }

    // What a connection to the instance (this process) gets, and when it is closed.
    void instanceConnectionEnds_data()
    {
        // A message is its length in bytes and its UTF-16 text.
        addColumns<QByteArray, bool, bool>({"sent", "acknowledged", "idle"});
        addRow("whole message: acknowledged and closed", QByteArray::fromHex("000000020078"), true, false);
        addRow("announces 1 MiB: dropped", QByteArray::fromHex("00100000") + "xx", false, false);
        addRow("says nothing: closed after 5 s", QByteArray(), false, true);
    }
    void instanceConnectionEnds()
    {
        QFETCH(QByteArray, sent);
        QFETCH(bool, idle);
        m_app.initialize(false);
        QLocalSocket client;
        client.connectToServer(SingleApplication::socketPath(OwnKey));
        QVERIFY(m_app.isInstance() && client.waitForConnected(2000));
        const QDeadlineTimer early(idle ? 4500 : 0);
        client.write(sent);
        QTRY_COMPARE_WITH_TIMEOUT(client.state(), QLocalSocket::UnconnectedState, idle ? 10000 : 2000);
        QVERIFY(early.hasExpired());
        QTEST(client.readAll() == "\x06", "acknowledged");
    }

    // The translator ends the process on a damaged entry; nothing of the
    // program may still be running then.
    void damagedTranslationEndsCleanly()
    {
        RunTreeCopy tree;
        QFile sample(samplePath());
        QVERIFY(tree.isValid() && sample.open(QIODevice::ReadOnly) && tree.writeData("vlm.xml", sample.readAll()));
        QVERIFY(tree.write("share/velmora/translation/en/vlm_en.xml",
                           "<root><Translation><message><Id>IDS_COPIES</Id></message></Translation></root>"));
        for (int run = 0; run < 10; ++run) {
            Run damaged = startProgram({"/dev/null", "Damaged", "use_local_vlm"},
                                       ProgramRun::offscreenEnvironment(), tree.binDir() + "/velmora");
            QVERIFY(damaged->waitForExit(30000));
            QCOMPARE(damaged->exitCode(), 1);
            QVERIFY2(damaged->hasWritten("Wrong XML format") && !damaged->hasWritten("QMutex"),
                     qPrintable(damaged->errorOutput()));
        }
    }

    void killedInstanceDoesNotBlockNextStart()
    {
        const QStringList arguments{"/dev/null", "Killed"};
        Run crashed = startProgram(arguments);
        QCOMPARE(outcome(*crashed), QStringLiteral("serves"));
        crashed->kill(); // SIGKILL: nothing gets cleaned up
        struct stat socket;
        QVERIFY(::lstat(QFile::encodeName(SingleApplication::socketPath(arguments.join(' '))), &socket) == 0);
        QVERIFY(S_ISSOCK(socket.st_mode) && (socket.st_mode & 077) == 0); // the user's alone
        Run next = startProgram(arguments);
        QCOMPARE(outcome(*next), QStringLiteral("serves"));
        // And a start while that one runs is handed to it at once.
        Run third = startProgram(arguments);
        QCOMPARE(outcome(*third), QStringLiteral("left"));
    }
};

int main(int argc, char **argv)
{
    QTemporaryDir dir;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(QDir(dir.path()).canonicalPath()));
    SingleApplication app(OwnKey, argc, argv);
    TestProgramStart test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_programstart.moc"
