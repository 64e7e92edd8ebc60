// The staged program as a user starts it: from a terminal without a display,
// through links and the search path, and once per device. This test process
// is itself a single-instance application, and every run gets a private
// runtime directory so the instance files of the user stay untouched.
#include "app/singleapplication.h"
#include "common/datatable.h"
#include "common/programrun.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {
const QString OwnKey = QStringLiteral("/dev/null InProcess");
const QString Unavailable = QStringLiteral("Cannot get printer settings!");

using Run = std::unique_ptr<ProgramRun>;
Run startProgram(const QStringList &arguments,
                 const QProcessEnvironment &environment = ProgramRun::offscreenEnvironment(),
                 const QString &program = ProgramRun::stagedProgram(), const QString &directory = QString())
{
    auto run = std::make_unique<ProgramRun>(environment);
    run->start(program, arguments, directory);
    return run;
}

// Waits until the program either serves its device (it reached the error
// box, past the single-instance check) or has ended.
[[nodiscard]] bool servesDevice(ProgramRun &run)
{
    return QTest::qWaitFor([&] { return run.hasWritten(Unavailable) || !run.isRunning(); }, 20000) &&
           run.isRunning();
}

// Handed its key to a running instance: exit 0 before the change of directory.
[[nodiscard]] bool leftToRunningInstance(ProgramRun &run)
{
    // Waiting keeps this process's event loop running: it may be the instance being asked.
    return QTest::qWaitFor([&] { return !run.isRunning(); }, 20000) &&
           run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0 &&
           !run.hasWritten(QStringLiteral("QDir::currentDirPath"));
}

mode_t modeOf(const QString &path)
{
    struct stat info;
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode : 0;
}
} // namespace

#define VERIFY_SERVES(run) QVERIFY2(servesDevice(*(run)), qPrintable((run)->errorOutput()))
#define VERIFY_LEFT(run) QVERIFY2(leftToRunningInstance(*(run)), qPrintable((run)->errorOutput()))

class TestProgramStart : public QObject
{
    Q_OBJECT
public:
    explicit TestProgramStart(SingleApplication &app) : m_app(app) {}

private:
    SingleApplication &m_app;
    QTemporaryDir m_dir;
    QString m_root;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_root = QDir(m_dir.path()).canonicalPath();
        QVERIFY(QFileInfo(ProgramRun::stagedProgram()).isExecutable());
        QVERIFY(QDir(m_root).mkpath(QStringLiteral("elsewhere/bin")) &&
                QDir(m_root).mkpath(QStringLiteral("empty")));
        QVERIFY(QFile::link(ProgramRun::stagedBinDir(), m_root + QStringLiteral("/linkdir")));
        // This link sits in a directory without the program's files.
        QVERIFY(QFile::link(ProgramRun::stagedProgram(), m_root + QStringLiteral("/elsewhere/bin/velmora")));
    }

    void usageWithoutDisplay_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("device path alone") << QStringList{QStringLiteral("/dev/null")};
        QTest::newRow("no arguments") << QStringList{};
    }
    void usageWithoutDisplay()
    {
        QFETCH(QStringList, arguments);
        Run run = startProgram(arguments, ProgramRun::displaylessEnvironment());
        QVERIFY(run->waitForExit());
        QCOMPARE(run->exitStatus(), QProcess::NormalExit);
        QCOMPARE(run->exitCode(), 1);
        const QRegularExpression usage(
            QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d> Usage: Velmora <devPath> <devName>\\n$"));
        QVERIFY2(usage.match(run->errorOutput()).hasMatch(), qPrintable(run->errorOutput()));
    }

    void findsItsOwnDirectory_data()
    {
        // command: as typed in a shell in the fixture's root; enters: the
        // directory of the path as given
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
        QFETCH(QString, enters);
        QProcessEnvironment environment = ProgramRun::offscreenEnvironment();
        environment.insert(QStringLiteral("PATH"), m_root + QStringLiteral("/empty:") +
                                                       ProgramRun::stagedBinDir() +
                                                       QStringLiteral(":/usr/bin:/bin"));
        Run run = startProgram({"-c", QStringLiteral("exec %1 /dev/null Found").arg(command), "sh"},
                               environment, QStringLiteral("/bin/sh"), m_root);
        VERIFY_SERVES(run);
        const QString err = run->errorOutput();
        QVERIFY2(err.contains(QStringLiteral("arg[0] = %1\n").arg(command)), qPrintable(err));
        QVERIFY2(err.contains(QStringLiteral("QDir::currentDirPath=<%1>\n").arg(enters)), qPrintable(err));
        // The version banner shows it found its files: it reads them from there.
        QFile version(ProgramRun::stagedBinDir() + QStringLiteral("/.version"));
        QVERIFY(version.open(QIODevice::ReadOnly));
        QVERIFY2(err.contains(QStringLiteral("\t\tVelmora: ") + QString::fromLocal8Bit(version.readLine())),
                 qPrintable(err));
    }

    void startupTraceInOrder()
    {
        // The toolkit's options are gone before the arguments are read.
        Run run = startProgram({"-platform", "offscreen", "/dev/null", "Order", "save_vlm"},
                               ProgramRun::offscreenEnvironment(), ProgramRun::stagedProgram(), m_root);
        VERIFY_SERVES(run);
        const QString err = run->errorOutput();
        const QStringList expectedOrder{QStringLiteral("QDir::currentDirPath=<%1>\n").arg(m_root),
                                        QStringLiteral("QDir::currentDirPath=<%1>\n")
                                            .arg(QDir(ProgramRun::stagedBinDir()).canonicalPath()),
                                        QStringLiteral("> arg[0] = %1\n").arg(ProgramRun::stagedProgram()),
                                        QStringLiteral("> arg[1] = /dev/null\n"),
                                        QStringLiteral("> arg[2] = Order\n"),
                                        QStringLiteral("> arg[3] = save_vlm\n"),
                                        QStringLiteral("\t\tVelmora: "),
                                        Unavailable};
        qsizetype from = 0;
        for (const QString &text : expectedOrder) {
            from = err.indexOf(text, from);
            QVERIFY2(from >= 0, qPrintable(QStringLiteral("missing or out of order: ") + text + '\n' + err));
        }
        QVERIFY2(!err.contains(QStringLiteral("arg[4]")), qPrintable(err));
    }

    void messageOfSecondStartReachesThisInstance()
    {
        QVERIFY(!m_app.sendMessage(OwnKey, 1000));
        m_app.initialize(false);
        QVERIFY(m_app.isInstance());
        QSignalSpy received(&m_app, &SingleApplication::messageReceived);
        Run second = startProgram({"/dev/null", "InProcess"});
        VERIFY_LEFT(second);
        QCOMPARE(received.count(), 1);
        QCOMPARE(received.first().first().toString(), OwnKey);
        const mode_t socket = modeOf(SingleApplication::socketPath(OwnKey));
        QVERIFY(S_ISSOCK(socket) && (socket & 077) == 0); // the user's alone
    }

    void secondStart_data()
    {
        addColumns<QStringList, QStringList, bool>({"first", "second", "separate"});
        const QStringList office{"/dev/null", "Office"};
        QTest::newRow("same device path and name") << office << office << false;
        QTest::newRow("same path, other device name") << office << QStringList{"/dev/null", "Lab"} << true;
        QTest::newRow("other path, same device name") << office << QStringList{"/dev/zero", "Office"} << true;
        QTest::newRow("option words do not change the key")
            << office << (office + QStringList{"save_vlm"}) << false;
        // The key is taken from the raw arguments, before the toolkit has
        // removed its own options.
        QTest::newRow("key from raw arguments with toolkit options")
            << QStringList{"-platform", "offscreen", "/dev/null", "Office"}
            << QStringList{"-platform", "offscreen", "/dev/zero", "Lab"} << false;
    }
    void secondStart()
    {
        QFETCH(QStringList, first);
        QFETCH(QStringList, second);
        QFETCH(bool, separate);
        Run running = startProgram(first);
        VERIFY_SERVES(running);
        Run next = startProgram(second);
        if (separate)
            VERIFY_SERVES(next);
        else
            VERIFY_LEFT(next);
        QVERIFY(running->isRunning());
    }

    void killedInstanceDoesNotBlockNextStart()
    {
        const QStringList arguments{"/dev/null", "Killed"};
        Run crashed = startProgram(arguments);
        VERIFY_SERVES(crashed);
        crashed->kill(); // SIGKILL: nothing gets cleaned up
        QVERIFY(QFileInfo::exists(SingleApplication::lockFilePath(arguments.join(' '))));
        QVERIFY(QFileInfo::exists(SingleApplication::socketPath(arguments.join(' '))));
        Run next = startProgram(arguments);
        VERIFY_SERVES(next);
        Run third = startProgram(arguments);
        VERIFY_LEFT(third);
    }

    void simultaneousStartsElectOneInstance()
    {
        for (int round = 0; round < 3; ++round) {
            std::vector<Run> runs;
            for (int i = 0; i < 3; ++i)
                runs.push_back(startProgram({"/dev/null", QStringLiteral("Race%1").arg(round)}));
            int instances = 0;
            for (Run &run : runs) {
                if (servesDevice(*run))
                    ++instances;
                else
                    VERIFY_LEFT(run);
            }
            QCOMPARE(instances, 1);
        }
    }

    void whereInstanceFilesGo_data()
    {
        // runtimeMode -1: no runtime directory given; ownFolderMode -1: not there
        // before; expected: where the socket goes, "runtime", "own" or "none".
        addColumns<int, bool, int, QString>({"runtimeMode", "longRuntime", "ownFolderMode", "expected"});
        QTest::newRow("private runtime directory") << 0700 << false << -1 << "runtime";
        QTest::newRow("runtime directory open to others") << 0755 << false << -1 << "own";
        QTest::newRow("runtime directory too long for a socket name") << 0700 << true << -1 << "own";
        QTest::newRow("own folder open to others is refused") << -1 << false << 0777 << "none";
    }
    void whereInstanceFilesGo()
    {
        QFETCH(int, runtimeMode);
        QFETCH(bool, longRuntime);
        QFETCH(int, ownFolderMode);
        QFETCH(QString, expected);
        QTemporaryDir base;
        const QString runtime = base.path() + QStringLiteral("/runtime") + QString(longRuntime ? 60 : 0, 'r');
        const QString temp = base.path() + QStringLiteral("/tmp");
        const QString own = temp + QStringLiteral("/velmora-") + QString::number(::geteuid());
        QVERIFY(QDir().mkpath(runtime) && QDir().mkpath(temp));
        QVERIFY(::chmod(QFile::encodeName(runtime).constData(), runtimeMode < 0 ? 0700 : runtimeMode) == 0);
        if (ownFolderMode >= 0)
            QVERIFY(QDir().mkpath(own) && ::chmod(QFile::encodeName(own).constData(), ownFolderMode) == 0);
        const QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR");
        const QByteArray savedTemp = qgetenv("TMPDIR");
        qputenv("XDG_RUNTIME_DIR", runtimeMode < 0 ? QByteArray() : QFile::encodeName(runtime));
        qputenv("TMPDIR", QFile::encodeName(temp));
        const QString socket = SingleApplication::socketPath(OwnKey);
        for (const auto &[name, value] : {std::pair{"XDG_RUNTIME_DIR", savedRuntime}, {"TMPDIR", savedTemp}})
            QVERIFY(value.isNull() ? qunsetenv(name) : qputenv(name, value));

        if (expected == QLatin1String("none")) // nowhere safe to meet: every start runs on its own
            QVERIFY2(socket.isEmpty(), qPrintable(socket));
        else
            QCOMPARE(QFileInfo(socket).path(), expected == QLatin1String("runtime") ? runtime : own);
        if (ownFolderMode >= 0 || expected == QLatin1String("own")) // made private, or left as it was
            QCOMPARE(modeOf(own) & 0777, mode_t(ownFolderMode >= 0 ? ownFolderMode : 0700));
    }
};

int main(int argc, char **argv)
{
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(QDir(dir.path()).canonicalPath()));
    SingleApplication app(OwnKey, argc, argv);
    TestProgramStart test(app);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_programstart.moc"
